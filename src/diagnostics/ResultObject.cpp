#include <corvane/Error.h>
#include <corvane/ResultObject.h>
#include <corvane/RuntimeErrors.h>

#include <utility>

namespace corvane {

ResultObject::ResultObject()
    : m_colMessages(Collection::Create()), m_dicResults(Dictionary::Create()) {}

std::shared_ptr<ResultObject> ResultObject::Create() {
  return std::shared_ptr<ResultObject>(new ResultObject());
}

void ResultObject::AddMessage(const std::string& iMessage) { m_colMessages->Add(iMessage); }

void ResultObject::AddHybridMessage(const std::string& iMessage,
                                    const std::string& iNoI18NMessage) {
  auto hybrid = Dictionary::Create();
  hybrid->Add("Message1", iMessage);
  hybrid->Add("Value1", iNoI18NMessage);
  m_colMessages->Add(std::move(hybrid));
}

std::string ResultObject::GetAllMessages() const {
  std::string all;
  for (const Variant& message : *m_colMessages) {
    all += message.ToString();
    all += "\r\n";
  }
  return all;
}

bool ResultObject::IsEmpty() const { return m_colMessages->Count() == 0; }

std::shared_ptr<Collection> ResultObject::GetCollection() { return m_colMessages; }

std::shared_ptr<Dictionary> ResultObject::getResult() { return m_dicResults; }

void ResultObject::addResult(const Variant& iKey, const Variant& iValue) {
  m_dicResults->Add(iKey, iValue);
}

std::shared_ptr<ResultObject> ResultObject::AddResultObject(
    const std::shared_ptr<ResultObject>& iResObj) {
  if (!iResObj) throw Error::Runtime(rtObjectRequired);
  if (!iResObj->IsEmpty()) {
    const std::shared_ptr<Collection> messages = iResObj->GetCollection();
    // Only the messages present now, so that merging into itself comes to an end.
    const std::int32_t count = messages->Count();
    for (std::int32_t index = 1; index <= count; ++index) m_colMessages->Add(messages->Item(index));
  }
  const std::shared_ptr<Dictionary> results = iResObj->getResult();
  const VariantArray keys = results->Keys();
  for (const Variant& key : keys.Elements()) m_dicResults->Add(key, results->Item(key));
  return std::static_pointer_cast<ResultObject>(shared_from_this());
}

}  // namespace corvane

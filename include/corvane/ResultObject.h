// ResultObject: what a business component returns from an operation: an
// ordered collection of messages for the user and a dictionary of named
// results. Result objects merge, so a component can gather the results of the
// components it calls. Used by one thread at a time.
#pragma once

#include <corvane/Collection.h>
#include <corvane/Dictionary.h>
#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <memory>
#include <string>

namespace corvane {

class ResultObject : public Object {
 public:
  // A result object with no messages and no results ("Corvane.ResultObject").
  static std::shared_ptr<ResultObject> Create();

  // Appends a plain text message.
  void AddMessage(const std::string& iMessage);
  // Appends a hybrid message: a new dictionary with "Message1" = iMessage (to
  // be translated) and "Value1" = iNoI18NMessage (shown as it is).
  void AddHybridMessage(const std::string& iMessage, const std::string& iNoI18NMessage);
  // Every message followed by "\r\n", in order; "" when there are none.
  // A hybrid message has no text form: fails with error 13 (type mismatch).
  std::string GetAllMessages() const;
  // True when there are no messages; results are not counted.
  bool IsEmpty() const;

  // The message collection itself (not a copy): changes made through it are
  // changes of this object.
  std::shared_ptr<Collection> GetCollection();
  // The result dictionary itself (not a copy).
  std::shared_ptr<Dictionary> getResult();
  // Adds the pair to the results; a key already present fails with error 457
  // and leaves the results as they were.
  void addResult(const Variant& iKey, const Variant& iValue);

  // Appends the messages of iResObj (those present when the merge starts, so
  // merging an object into itself ends), then adds its results in key order,
  // and returns this object. Messages are shared, not copied: a hybrid
  // message's dictionary then belongs to both objects. A key already present
  // fails with error 457; what was added before it stays added.
  // REQUIRES: iResObj is not null; otherwise error 424 (object required).
  std::shared_ptr<ResultObject> AddResultObject(const std::shared_ptr<ResultObject>& iResObj);

 private:
  ResultObject();

  std::shared_ptr<Collection> m_colMessages;
  std::shared_ptr<Dictionary> m_dicResults;
};

}  // namespace corvane

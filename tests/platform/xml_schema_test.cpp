#include <corvane/Error.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RaisesError.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlSchemaCache.h"
#include "support/TestEnvironment.h"

namespace corvane::platform {
namespace {

std::int32_t ParseNumber(std::uint32_t libxmlCode) {
  return static_cast<std::int32_t>(0xC00CE000u + libxmlCode);
}

constexpr const char* kStoreSchema = R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="Config">
    <xs:complexType><xs:sequence>
      <xs:element name="Section" minOccurs="0" maxOccurs="unbounded">
        <xs:complexType><xs:sequence>
          <xs:element name="Item" type="xs:string" minOccurs="0" maxOccurs="unbounded"/>
        </xs:sequence><xs:attribute name="id" type="xs:string" use="required"/></xs:complexType>
      </xs:element>
    </xs:sequence></xs:complexType>
  </xs:element>
</xs:schema>)";

// The same store format with the section id optional.
std::string LenientSchema() {
  std::string schema = kStoreSchema;
  schema.replace(schema.find("use=\"required\""), 14, "use=\"optional\"");
  return schema;
}

class XmlSchema : public ::testing::Test {
 protected:
  std::shared_ptr<XmlDocument> DocumentWith(const std::string& schemaPath) {
    auto schemas = XmlSchemaCollection::Create();
    schemas->add("", schemaPath);
    auto document = XmlDocument::Create();
    document->setSchemas(schemas);
    document->setAsync(false);
    return document;
  }

  test::TempDir dir_;
};

TEST_F(XmlSchema, AValidStoreLoads) {
  const auto document = DocumentWith(dir_.Write("config/Schema.xml", kStoreSchema));
  const std::string store = dir_.Write(
      "config/Store.xml", "<Config>\n  <Section id='GLOBAL'><Item>x</Item></Section>\n</Config>\n");
  ASSERT_TRUE(document->load(store)) << document->parseError().reason;
  EXPECT_EQ(document->documentElement()->text(), "x");
}

struct ViolationCase {
  const char* name;
  const char* xml;
  XmlParseError expected;
};

TEST_F(XmlSchema, AViolationFailsTheLoadWithTheOffendingElementsLine) {
  const std::vector<ViolationCase> cases = {
      {"missing attribute",
       "<Config>\n  <Section id='a'/>\n  <Section><Item>x</Item></Section>\n</Config>",
       {ParseNumber(1868), "Element 'Section': The attribute 'id' is required but missing.", 3, 3,
        "  <Section><Item>x</Item></Section>"}},
      {"unexpected element",
       "<Config>\n  <Section id='a'/>\n    <Other/>\n</Config>",
       {ParseNumber(1871 & 0xFFF),
        "Element 'Other': This element is not expected. Expected is ( Section ).", 3, 5,
        "    <Other/>"}},
      {"undeclared root",
       "<Store/>",
       {ParseNumber(1845 & 0xFFF),
        "Element 'Store': No matching global declaration available for the validation root.", 1, 1,
        "<Store/>"}},
  };
  const auto document = DocumentWith(dir_.Write("Schema.xml", kStoreSchema));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(document->load(dir_.Write("Store.xml", c.xml)));
    const XmlParseError error = document->parseError();
    EXPECT_EQ(error.errorCode, c.expected.errorCode);
    EXPECT_EQ(error.reason, c.expected.reason);
    EXPECT_EQ(error.line, c.expected.line);
    EXPECT_EQ(error.linepos, c.expected.linepos);
    EXPECT_EQ(error.srcText, c.expected.srcText);
  }
}

TEST_F(XmlSchema, WithoutSchemasTheSameStoreLoads) {
  auto document = DocumentWith(dir_.Write("Schema.xml", kStoreSchema));
  const std::string store = dir_.Write("Store.xml", "<Config><Section/></Config>");
  EXPECT_FALSE(document->load(store));
  document->setSchemas(nullptr);
  EXPECT_TRUE(document->load(store));
  document->setSchemas(XmlSchemaCollection::Create());
  EXPECT_TRUE(document->load(store));
}

TEST_F(XmlSchema, ARootOutsideEveryRegisteredNamespaceFails) {
  auto schemas = XmlSchemaCollection::Create();
  std::string other = kStoreSchema;
  other.replace(other.find("<xs:schema "), 11,
                "<xs:schema targetNamespace='urn:other' elementFormDefault='qualified' ");
  schemas->add("urn:other", dir_.Write("Other.xsd", other));
  const auto document = XmlDocument::Create();
  document->setSchemas(schemas);
  EXPECT_FALSE(document->loadXML("<Config/>"));
  EXPECT_EQ(document->parseError().errorCode, ParseNumber(1845 & 0xFFF));
  EXPECT_EQ(document->parseError().reason,
            "No schema is registered for the namespace of the root element.");
  EXPECT_TRUE(document->loadXML("<Config xmlns='urn:other'/>"));
}

struct SchemaFailureCase {
  const char* name;
  const char* schema;
  std::int32_t number;
  const char* description;
};

TEST_F(XmlSchema, ASchemaThatCannotBeCompiledRaisesItsParseError) {
  const std::vector<SchemaFailureCase> cases = {
      {"malformed", "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'>", ParseNumber(77),
       "Premature end of data in tag schema line 1"},
      {"not_a_schema", "<Config/>", ParseNumber(1772 & 0xFFF),
       "The XML document '"
       "%s"
       "' is not a schema document."},
      {"unknown type",
       "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'>"
       "<xs:element name='Config' type='Nothing'/></xs:schema>",
       ParseNumber(3004 & 0xFFF),
       "element decl. 'Config', attribute 'type': The QName value 'Nothing' does not resolve to "
       "a(n) "
       "type definition."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.Write(std::string(c.name) + ".xsd", c.schema);
    std::string description = c.description;
    if (const auto at = description.find("%s"); at != std::string::npos) {
      description.replace(at, 2, path);
    }
    const auto schemas = XmlSchemaCollection::Create();
    EXPECT_TRUE(testing::RaisesError([&] { schemas->add("", path); }, c.number, description));
  }
}

TEST_F(XmlSchema, AMissingSchemaRaisesFileNotFound) {
  const auto schemas = XmlSchemaCollection::Create();
  EXPECT_TRUE(testing::RaisesError([&] { schemas->add("", dir_.PathOf("config/Schema.xml")); },
                                   -2146697210, "The system cannot locate the object specified."));
}

TEST_F(XmlSchema, IncludesAreReadBesideTheSchemaButNeverFromTheNetwork) {
  dir_.Write("types.xsd",
             "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'><xs:simpleType name='Digit'>"
             "<xs:restriction base='xs:string'><xs:pattern value='[0-9]'/></xs:restriction>"
             "</xs:simpleType></xs:schema>");
  const auto document =
      DocumentWith(dir_.Write("main.xsd",
                              "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'><xs:include "
                              "schemaLocation='Types.XSD'/>"
                              "<xs:element name='V' type='Digit'/></xs:schema>"));
  EXPECT_TRUE(document->loadXML("<V>7</V>"));
  EXPECT_FALSE(document->loadXML("<V>x</V>"));
  EXPECT_EQ(document->parseError().errorCode, ParseNumber(1839 & 0xFFF));

  const std::string remote =
      dir_.Write("remote.xsd",
                 "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema'>"
                 "<xs:include schemaLocation='http://127.0.0.1:9/types.xsd'/>"
                 "<xs:element name='V' type='Digit'/></xs:schema>");
  const auto schemas = XmlSchemaCollection::Create();
  EXPECT_TRUE(testing::RaisesError(
      [&] { schemas->add("", remote); }, ParseNumber(3067 & 0xFFF),
      "Element '{http://www.w3.org/2001/XMLSchema}include': Failed to parse the XML resource "
      "'http://127.0.0.1:9/types.xsd'."));
}

TEST_F(XmlSchema, ACompiledSchemaIsReusedUntilTheFileChanges) {
  const std::string path = dir_.Write("Schema.xml", kStoreSchema);
  const auto first = LoadSchema(path);
  EXPECT_EQ(LoadSchema(dir_.PathOf("SCHEMA.XML")), first);
  const auto strict = DocumentWith(path);

  dir_.Write("Schema.xml", LenientSchema());
  const auto changed = LoadSchema(path);
  EXPECT_NE(changed, first);
  EXPECT_EQ(LoadSchema(path), changed);

  const std::string store = dir_.Write("Store.xml", "<Config><Section/></Config>");
  EXPECT_TRUE(DocumentWith(path)->load(store));
  // A collection keeps the schema it was given.
  EXPECT_FALSE(strict->load(store));
}

}  // namespace
}  // namespace corvane::platform

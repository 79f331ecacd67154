// CorvaneErrors: the library's own error codes, base 0x80040000.
#pragma once

#include <cstdint>

namespace corvane {

enum CorvaneErrors : std::int32_t {
  InvalidDatasource = -2147221504,  // 0x80040000
  RegKeyInstallDirNotFound = -2147221503,
  ConnectionNotInMap = -2147221502,
  SiteCscNotFound = -2147221501,
  ErrorCreatingCommerceObject = -2147221500,
  UnknownReferentialOrigin = -2147221499,
  RegKeyMemScriptCodeNotFound = -2147221498,
  InvalidReference = -2147221497,
  RestrictedReference = -2147221496,
  ConfigurationValueNotFound = -2147221495,
  ConfigurationNoContext = -2147221494,
  ConfigurationNoSiteConfig = -2147221493,
  ConfigurationPathNotFound = -2147221492,
  ConfigurationSectionNotFound = -2147221491,
  ConfigurationSectionNotUnique = -2147221490,
  ConfigurationItemNotFound = -2147221489,
  ConfigurationItemNotUnique = -2147221488,
  ConfigurationNoCurrentSection = -2147221487,
  ConfigurationLoadStoreFailed = -2147221486,
  ConfigurationNoStoreLoaded = -2147221485,
  ConfigurationUnknownItemType = -2147221484,
  ConfigurationSectionExists = -2147221483,
  ConfigurationItemExists = -2147221482,
  DoesNotMapToUiFieldSize = -2147221481,  // 0x80040017
};

}  // namespace corvane

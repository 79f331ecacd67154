// ExportParser: reads the text of a registry export into a RegistryTree of
// the keys below HKEY_LOCAL_MACHINE. Keys of the other roots are checked and
// dropped. One parse per call; safe from any thread.
#pragma once

#include <memory>
#include <string_view>

#include "platform/registry/RegistryTree.h"

namespace corvane::platform {

// The root (HKEY_LOCAL_MACHINE) of the export in bytes. The first syntax
// error refuses the whole text: Error 75, source "Corvane.Registry",
// description "origin(line): reason".
std::shared_ptr<const RegistryNode> ParseExportTree(std::string_view bytes,
                                                    std::string_view origin);

}  // namespace corvane::platform

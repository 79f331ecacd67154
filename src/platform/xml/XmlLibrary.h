// One-time setup of libxml2 for the whole process: its parser globals, and
// an external-entity loader that never reaches the network and never feeds
// an entity or DTD into a document (only a schema's include or import of a
// local file is read, through the file-system service). Safe to call from
// any thread, any number of times.
#pragma once

namespace corvane::platform {

void EnsureXmlLibrary();

}  // namespace corvane::platform

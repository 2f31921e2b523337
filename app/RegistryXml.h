// Copies of registry trees in XML files: the snippet and script-repository
// trees are kept in the registry while the program runs and copied to
// ".//data//SnsDap.dll" and ".//data//RepTrDa.dll". A caller opens a writer,
// writes a "registry" start tag, exports, closes the tag and the writer.
#pragma once

#include <string>

#include "app/XmlReader.h"
#include "app/XmlWriter.h"

// The key "ROOT\sub\key" (root one of the five HKEY_ names, any case) with
// its values and sub-keys. Key-element form (bKeysAsTags FALSE): "k" elements
// named after each key, "v" elements with name, value and type. Tag form:
// keys as tags, values as their attributes. FALSE when the key cannot be
// read or the export was cancelled; the writer is then discarded, so closing
// it keeps the old file.
BOOL ExportRegistryToXml(CXmlWriter* pWriter, BOOL bKeysAsTags, const std::string& strKeyPath);

// Merges the file's keys and values (key-element form) into the registry.
// FALSE when a key could not be created ("couldn't create key %s\%s") or the
// file names an unknown root; a value that cannot be set is reported
// ("couldn't set value %s") and skipped; a parse error ends the import.
BOOL ImportRegistryFromXml(CXmlReader& reader, const std::string& strFilePath);

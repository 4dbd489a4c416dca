// ResourceModules.h: resource images installed as modules, and lookups in them.
#pragma once

#include "platform/win32/windef.h"
#include "platform/win32/kernel/ResourceImage.h"

#include <cstddef>
#include <span>
#include <string>

namespace kernel {

enum class ModuleRole {
    Program,  // the program's own module: FindResourceA(NULL, ...) and AfxGetResourceHandle
    Extra,    // another module, reached only through its handle
};

// Installs a compiled resource image as a module and returns its handle. The bytes are not
// copied: they must stay alive and unchanged until the module is removed. A malformed image
// is refused: NULL, with the reason in *error when given. A Program image replaces the
// program's module (the old one stays installed as an extra module until removed).
HINSTANCE install_resource_image(std::span<const std::byte> image, ModuleRole role,
                                 std::string* error = nullptr);

// Removes a module; its handle and every HRSRC from it stop working. FALSE for a bad handle.
BOOL remove_resource_image(HINSTANCE module);

// The program's module, NULL until one is installed.
HINSTANCE program_instance();
// Makes an installed module the program's; FALSE for a bad handle.
BOOL set_program_instance(HINSTANCE module);

// The module's entries, or nullptr for a handle that names none (NULL names the program).
const std::vector<ResourceEntry>* module_entries(HINSTANCE module);

// Every installed module, the program's first.
std::vector<HINSTANCE> installed_modules();

// Finds an entry as FindResourceA does; `type` and `name` are integer or CP1250 string names.
// Sets the last error and returns nullptr when nothing matches.
const ResourceEntry* find_resource_entry(HINSTANCE module, LPCSTR name, LPCSTR type);

// The handle of an entry found above, and back.
HRSRC make_resource_handle(HINSTANCE module, const ResourceEntry* entry);
const ResourceEntry* lookup_resource_handle(HINSTANCE module, HRSRC resource);

}  // namespace kernel

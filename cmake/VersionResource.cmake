# The product's version data, defined once, here. zel_add_version_resource(target) gives a
# module this data as its version resource: on Windows a VERSIONINFO resource compiled from a
# generated .rc; elsewhere the same block, built during compilation, in the module's section
# ".zel_version", where the version reader finds it. Both come from the generated header
# ProductVersion.h (interface target zel_product_version), which tests read as well.

# The version number is the project's; the fourth part is 0 unless the project gives one.
set(ZEL_VERSION_NUMBERS ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH})
if(PROJECT_VERSION_TWEAK STREQUAL "")
  list(APPEND ZEL_VERSION_NUMBERS 0)
else()
  list(APPEND ZEL_VERSION_NUMBERS ${PROJECT_VERSION_TWEAK})
endif()
list(JOIN ZEL_VERSION_NUMBERS "." ZEL_VERSION_FILE_VERSION)
list(JOIN ZEL_VERSION_NUMBERS "," ZEL_VERSION_RC_NUMBERS)
list(JOIN ZEL_VERSION_NUMBERS ", " ZEL_VERSION_CXX_NUMBERS)

# The string table: US English, Unicode; the translation table lists it first (and only).
set(ZEL_VERSION_LANGUAGE 0x0409)
set(ZEL_VERSION_CODE_PAGE 1200)
set(ZEL_VERSION_TABLE_KEY 040904B0)

set(ZEL_VERSION_KEYS CompanyName FileDescription FileVersion InternalName LegalCopyright
    LegalTrademarks OriginalFilename ProductName ProductVersion Comments)
set(ZEL_VERSION_CompanyName "zelXML Team")
set(ZEL_VERSION_FileDescription "zelXML scripting Xtra for XML documents")
set(ZEL_VERSION_FileVersion "${ZEL_VERSION_FILE_VERSION}")
set(ZEL_VERSION_InternalName "zelXML")
set(ZEL_VERSION_LegalCopyright "Copyright © 2026 zelXML Team")
set(ZEL_VERSION_LegalTrademarks "The zelXML name belongs to the zelXML Team")
set(ZEL_VERSION_OriginalFilename "zelXML.x32")
set(ZEL_VERSION_ProductName "zelXML")
set(ZEL_VERSION_ProductVersion "${PROJECT_VERSION}")
set(ZEL_VERSION_Comments "Loads XML documents and reads them through a node cursor")

# Fixed information: no flags set (all six valid), Windows NT 32-bit, a DLL.
set(ZEL_VERSION_FLAGS_MASK 0x3F)
set(ZEL_VERSION_FLAGS 0x0)
set(ZEL_VERSION_OS 0x40004)
set(ZEL_VERSION_TYPE 0x2)
set(ZEL_VERSION_SUBTYPE 0x0)

set(ZEL_VERSION_GENERATED "${CMAKE_BINARY_DIR}/generated/version")

function(zel_write_version_files)
  set(rc_values "")
  set(cxx_values "")
  foreach(key IN LISTS ZEL_VERSION_KEYS)
    set(value "${ZEL_VERSION_${key}}")
    if(value MATCHES "[\"\\\\;]")
      message(FATAL_ERROR "Version text ${key} may not hold quotes, backslashes or semicolons")
    endif()
    string(APPEND rc_values "      VALUE \"${key}\", \"${value}\"\n")
    string(APPEND cxx_values "    {\"${key}\", \"${value}\"},\n")
  endforeach()
  set(banner "Generated from cmake/VersionResource.cmake: change the version data there.")

  file(CONFIGURE OUTPUT "${ZEL_VERSION_GENERATED}/ProductVersion.h" @ONLY CONTENT [=[
#pragma once

// @banner@

#include "platform/VersionBlockWriter.h"

namespace product_version {

// The string table's entries; texts are UTF-8.
inline constexpr platform::TVersionString kStrings[] = {
@cxx_values@};

inline constexpr platform::TVersionLanguage kLanguage{@ZEL_VERSION_LANGUAGE@, @ZEL_VERSION_CODE_PAGE@};
inline constexpr platform::TVersionStringTable kStringTables[] = {{kLanguage, kStrings}};
inline constexpr platform::TVersionLanguage kTranslations[] = {kLanguage};

inline constexpr platform::TVersionDefinition kDefinition{
    .Fixed = {.FileVersion = {@ZEL_VERSION_CXX_NUMBERS@},
              .ProductVersion = {@ZEL_VERSION_CXX_NUMBERS@},
              .FileFlagsMask = @ZEL_VERSION_FLAGS_MASK@,
              .FileFlags = @ZEL_VERSION_FLAGS@,
              .FileOS = @ZEL_VERSION_OS@,
              .FileType = @ZEL_VERSION_TYPE@,
              .FileSubtype = @ZEL_VERSION_SUBTYPE@},
    .StringTables = kStringTables,
    .Translations = kTranslations};

}  // namespace product_version
]=])

  file(CONFIGURE OUTPUT "${ZEL_VERSION_GENERATED}/VersionResource.rc" @ONLY CONTENT [=[
// @banner@
#pragma code_page(65001)
LANGUAGE 0x09, 0x01
1 VERSIONINFO
FILEVERSION @ZEL_VERSION_RC_NUMBERS@
PRODUCTVERSION @ZEL_VERSION_RC_NUMBERS@
FILEFLAGSMASK @ZEL_VERSION_FLAGS_MASK@
FILEFLAGS @ZEL_VERSION_FLAGS@
FILEOS @ZEL_VERSION_OS@
FILETYPE @ZEL_VERSION_TYPE@
FILESUBTYPE @ZEL_VERSION_SUBTYPE@
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "@ZEL_VERSION_TABLE_KEY@"
    BEGIN
@rc_values@    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", @ZEL_VERSION_LANGUAGE@, @ZEL_VERSION_CODE_PAGE@
  END
END
]=])

  file(CONFIGURE OUTPUT "${ZEL_VERSION_GENERATED}/VersionSection.cpp" @ONLY CONTENT [=[
// @banner@
// The module's version block, in a section of its own so that the version reader finds it in
// the module's file.

#include "ProductVersion.h"

namespace {

[[gnu::used, gnu::section(".zel_version")]] constexpr auto kVersionBlock =
    platform::VersionBlockArray<platform::VersionBlockSize(product_version::kDefinition)>(
        product_version::kDefinition);

}  // namespace
]=])
endfunction()
zel_write_version_files()

add_library(zel_product_version INTERFACE)
target_include_directories(zel_product_version INTERFACE "${ZEL_VERSION_GENERATED}")
target_link_libraries(zel_product_version INTERFACE zel_options)

# zel_add_version_resource(target): the product's version resource in a module (or any binary).
function(zel_add_version_resource target)
  if(WIN32)
    target_sources(${target} PRIVATE "${ZEL_VERSION_GENERATED}/VersionResource.rc")
  else()
    target_sources(${target} PRIVATE "${ZEL_VERSION_GENERATED}/VersionSection.cpp")
    target_link_libraries(${target} PRIVATE zel_product_version)
  endif()
endfunction()

# zel_add_resources(target TYPE type NAME name FILE file [TYPE ... NAME ... FILE ...]):
# named resources of a module. Windows builds get them in the resource section through a
# generated .rc; other builds get a generated table of byte arrays that the platform layer's
# FindModuleResource searches. A numbered type or name is written "#<number>". Bitmaps (type
# "#2") are given as .bmp files and found without their file header on both systems.
function(zel_add_resources target)
  set(entries ${ARGN})
  set(rc "")
  set(cpp "#include \"platform/Resources.h\"\n\nnamespace {\n")
  set(registrations "")
  set(index 0)
  list(LENGTH entries count)
  while(index LESS count)
    list(SUBLIST entries ${index} 6 entry)
    cmake_parse_arguments(E "" "TYPE;NAME;FILE" "" ${entry})
    get_filename_component(file "${E_FILE}" ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
    string(REGEX REPLACE "^#" "" rc_type "${E_TYPE}")
    string(REGEX REPLACE "^#" "" rc_name "${E_NAME}")
    file(READ "${file}" hex HEX)
    file(SIZE "${file}" size)
    # A bitmap resource holds the bitmap without the file's 14-byte header, as the Windows
    # resource compiler stores it.
    if(E_TYPE STREQUAL "#2")
      set(rc_type BITMAP)
      string(SUBSTRING "${hex}" 28 -1 hex)
      math(EXPR size "${size} - 14")
    endif()
    string(APPEND rc "${rc_name} ${rc_type} \"${file}\"\n")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND cpp "const unsigned char kData${index}[] = {${bytes}0};\n")
    string(APPEND cpp "const platform::TEmbeddedResource kResource${index}{\"${E_TYPE}\", "
                      "\"${E_NAME}\", kData${index}, ${size}};\n")
    string(APPEND registrations "    platform::RegisterEmbeddedResource(&kResource${index});\n")
    math(EXPR index "${index} + 6")
  endwhile()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources")
  if(WIN32)
    file(CONFIGURE OUTPUT "${out}.rc" CONTENT "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${out}.rc")
  else()
    string(APPEND cpp "\nstruct TRegistration {\n  TRegistration() {\n${registrations}  }\n};\n"
                      "const TRegistration kRegistration;\n\n}  // namespace\n")
    file(CONFIGURE OUTPUT "${out}.cpp" CONTENT "${cpp}" @ONLY)
    target_sources(${target} PRIVATE "${out}.cpp")
  endif()
endfunction()

# SPDX-License-Identifier: MIT
# CPack's External generator runs this after installing the package into
# its staging folder: it lists the staged files for pelmaro.nsi and has
# makensis build <package file name>-setup.exe from them, so the setup
# program holds exactly what the zip holds.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(work "${CPACK_TOPLEVEL_DIRECTORY}")
set(setup "${work}/${CPACK_PACKAGE_FILE_NAME}-setup.exe")

find_program(MAKENSIS makensis REQUIRED)
if(NOT EXISTS "${stage}/${CPACK_PELMARO_LICENSE}")
  message(FATAL_ERROR "the package holds no ${CPACK_PELMARO_LICENSE} for the setup program's licence page")
endif()

# Folders before the files in them when installing; files before their
# folders when uninstalling (RMDir removes only empty folders).
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${stage}" "${stage}/*")
list(REMOVE_ITEM folders ${files})
list(SORT files)
list(SORT folders)
set(install "")
set(uninstall "")
set(bytes 0)
set(outPath "")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windows "${file}")
  if(folder STREQUAL "")
    set(target "$INSTDIR")
  else()
    string(REPLACE "/" "\\" windowsFolder "${folder}")
    set(target "$INSTDIR\\${windowsFolder}")
  endif()
  if(NOT target STREQUAL outPath)
    string(APPEND install "SetOutPath \"${target}\"\n")
    set(outPath "${target}")
  endif()
  string(APPEND install "File \"${stage}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows}\"\n")
  file(SIZE "${stage}/${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windowsFolder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${windowsFolder}\"\n")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

file(WRITE "${work}/setup-files.nsh" "!ifdef INSTALL\n${install}!endif\n!ifdef UNINSTALL\n${uninstall}!endif\n")
file(WRITE "${work}/setup-defines.nsh"
  "!define NAME \"${CPACK_PELMARO_NAME}\"\n"
  "!define VERSION \"${CPACK_PACKAGE_VERSION}\"\n"
  "!define PUBLISHER \"${CPACK_PACKAGE_VENDOR}\"\n"
  "!define COPYRIGHT \"${CPACK_PELMARO_COPYRIGHT}\"\n"
  "!define OUTFILE \"${setup}\"\n"
  "!define SIZE_KB ${kilobytes}\n"
  "!define FILES \"${work}/setup-files.nsh\"\n"
  "!define LICENSE \"${stage}/${CPACK_PELMARO_LICENSE}\"\n")

execute_process(
  COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DDEFINES=${work}/setup-defines.nsh" "${CPACK_PELMARO_SETUP_SCRIPT}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "makensis failed (${status})")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${setup}")

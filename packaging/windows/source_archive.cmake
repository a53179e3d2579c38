# SPDX-License-Identifier: MIT
# Writes the program's source, as built, to the zip OUTPUT with its files
# under PREFIX/: the commit checked out plus any changes not yet committed.
# The Windows package ships it, so the LGPL's relinking against another Qt
# needs nothing from elsewhere but Qt's own source.
execute_process(COMMAND git -C "${SOURCE}" stash create
  OUTPUT_VARIABLE tree OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the source archive is made from a git checkout; ${SOURCE} is none")
endif()
if(tree STREQUAL "")
  set(tree HEAD)
endif()
execute_process(COMMAND git -C "${SOURCE}" archive --format=zip "--prefix=${PREFIX}/" -o "${OUTPUT}" ${tree}
  COMMAND_ERROR_IS_FATAL ANY)

# Makes the manual page of nosk-cli from the program's own --help and --version with help2man,
# with a section holding each subcommand's usage and options, then compresses it as Debian
# keeps manual pages. Run as: cmake -DCLI=... -DOUTPUT=...gz -P manpage.cmake
set(subcommands search replace shift convert undo history)
set(include "${OUTPUT}.include")
set(text "[SUBCOMMANDS]\n")
foreach(subcommand IN LISTS subcommands)
  execute_process(COMMAND "${CLI}" ${subcommand} --help
                  OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${subcommand} --help failed: ${status}")
  endif()
  # The footer is the main page's, and is there already.
  string(FIND "${help}" "\nOutput:" footer)
  if(footer GREATER -1)
    string(SUBSTRING "${help}" 0 ${footer} help)
  endif()
  # Preformatted, with roff's escape character and line-leading control characters made plain.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS ${subcommand}\n.nf\n${help}\n.fi\n")
endforeach()
file(WRITE "${include}" "${text}")

string(REGEX REPLACE "\\.gz$" "" page "${OUTPUT}")
execute_process(
  COMMAND help2man --no-info --section=1 --include=${include}
          "--name=apply one edit to many ASS/SSA subtitle scripts at once"
          --output=${page} "${CLI}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed: ${status}")
endif()
execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed: ${status}")
endif()

# Makes the manual page of nosk-cli from the program's own --help and --version with help2man,
# with a section holding each subcommand's usage and options, then compresses it as Debian
# keeps manual pages. Run as: cmake -DCLI=... -DOUTPUT=...gz -P manpage.cmake
set(subcommands search replace shift text convert sort undo redo history)
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
# A season's day, as the README's worked examples have it.
string(APPEND text [=[
[EXAMPLES]
.nf
Count a sign in every episode of a season:
    nosk\-cli search \-\-block blocks/sign.txt \-\- season/
Replace the opening with the fixed translation, each episode keeping its timing:
    nosk\-cli replace \-\-match format \-\-mode format \\
        \-\-block blocks/opening.txt \-\-with blocks/opening\-fixed.txt \-\- season/
See first what a shift of everything after the opening would change, then do it:
    nosk\-cli shift \-\-by 1.5s \-\-affect after \-\-block blocks/opening\-fixed.txt \-\-dry\-run \-\- season/
    nosk\-cli shift \-\-by 1.5s \-\-affect after \-\-block blocks/opening\-fixed.txt \-\- season/
Convert a season of Windows\-1251 scripts to UTF\-8, and take it back:
    nosk\-cli convert \-\-from windows\-1251 \-r \-\- season/
    nosk\-cli undo \-r \-\- season/
Restyle Default in every episode, whatever each one's definition of it:
    nosk\-cli replace \-\-section styles \-\-match text \\
        \-\-block blocks/default\-style.txt \-\-with blocks/default\-style.txt \-\- season/
Set YCbCr Matrix: TV.709 everywhere, adding it where it is missing:
    nosk\-cli replace \-\-section header \-\-match text \-\-add\-missing \\
        \-\-block blocks/matrix.txt \-\-with blocks/matrix.txt \-\- season/
Shift everything but the signs, and put the lines in time order:
    nosk\-cli shift \-\-by 1.5s \-\-skip\-style Sign \-\- season/
    nosk\-cli sort \-\-by time \-\- season/
Rename a character inside the lines, override tags left alone; then count a pattern's matches:
    nosk\-cli text \-\-find Hoshi\-chan \-\-with Hoshi \-\- season/
    nosk\-cli text \-\-regex \-\-ignore\-case \-\-find 'hoshi\-(chan|kun)' \-\- season/
List what ran in a folder, newest first:
    nosk\-cli history season/
.fi
]=])
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

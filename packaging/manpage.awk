# A program's --help text as a manual page: its first line "NAME - what it does"
# the NAME, its "usage:" blocks the SYNOPSIS, plain paragraphs the DESCRIPTION,
# and each "Heading:" block a section of its own, kept as printed.
#   PROGRAM --help | awk -v date=YYYY-MM-DD -v version=V -f manpage.awk
function roff(text) {
  gsub(/\\/, "\\e", text)
  gsub(/-/, "\\-", text)
  sub(/^[.']/, "\\\\\\&&", text)
  return text
}
function endBlock() {
  if (inNf) print ".fi"
  inNf = 0
}
function heading(name) {
  endBlock()
  print ".SH " name
}
NR == 1 {
  split($0, part, " - ")
  program = part[1]
  print ".TH \"" program "\" 1 \"" date "\" \"Corvena " version "\" \"Corvena Accounts Receivable\""
  print ".SH NAME"
  print roff(program) " \\- " roff(substr($0, length(program) + 4))
  next
}
/^$/ { endBlock(); block = ""; next }
block == "" && /^usage:/ {
  if (!synopsis) heading("SYNOPSIS")
  synopsis = 1
  print ".nf"
  inNf = 1
  block = "synopsis"
  sub(/^usage: /, "")
  print roff($0)
  next
}
block == "" && /^[A-Z][A-Za-z ]*:$/ {
  heading(toupper(substr($0, 1, length($0) - 1)))
  print ".nf"
  inNf = 1
  block = "nf"
  next
}
block == "" {
  if (!description) heading("DESCRIPTION")
  description = 1
  print ".PP"
  block = "text"
}
block == "synopsis" { sub(/^       /, "") }
{ print roff($0) }
END { endBlock() }

#include "platform/db/pg_dialect.h"

#include <cctype>
#include <cstring>

namespace corvena::db::pg {

namespace {

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool sameWord(std::string_view word, const char* upper) {
  if (word.size() != std::strlen(upper)) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
  return true;
}

// The end of a quoted run, a comment or a dollar-quoted body starting at i; i itself
// when none starts there.
std::size_t skipVerbatim(std::string_view s, std::size_t i) {
  const char c = s[i];
  if (c == '\'' || c == '"') {
    std::size_t j = i + 1;
    while (j < s.size() && s[j] != c) ++j;
    return std::min(j + 1, s.size());
  }
  if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
    const std::size_t eol = s.find('\n', i);
    return eol == std::string_view::npos ? s.size() : eol;
  }
  if (c == '$' && i + 1 < s.size() && s[i + 1] == '$') {
    const std::size_t end = s.find("$$", i + 2);
    return end == std::string_view::npos ? s.size() : end + 2;
  }
  return i;
}

class Rewriter {
 public:
  explicit Rewriter(std::string_view sql) : s_(sql) {}

  std::string run() {
    std::size_t i = 0;
    while (i < s_.size()) {
      const std::size_t verbatim = skipVerbatim(s_, i);
      if (verbatim != i) {
        out_.append(s_.substr(i, verbatim - i));
        i = verbatim;
      } else if (s_[i] == '?') {
        i = parameter(i);
      } else if (isWordChar(s_[i])) {
        i = word(i);
      } else {
        if (s_[i] == ',' || s_[i] == '(' || s_[i] == ')') textAt_ = std::string::npos;
        out_ += s_[i++];
      }
    }
    return out_;
  }

 private:
  std::size_t parameter(std::size_t i) {
    std::size_t j = i + 1;
    while (j < s_.size() && std::isdigit(static_cast<unsigned char>(s_[j]))) ++j;
    out_ += '$';
    out_ += j > i + 1 ? std::string(s_.substr(i + 1, j - i - 1)) : std::to_string(++bare_);
    return j;
  }

  std::size_t word(std::size_t i) {
    std::size_t j = i;
    while (j < s_.size() && isWordChar(s_[j])) ++j;
    const std::string_view w = s_.substr(i, j - i);
    if (sameWord(w, "LIKE")) {
      out_ += "ILIKE";
      return patternAfter(j);
    } else if (sameWord(w, "INTEGER")) {
      out_ += "BIGINT";
    } else if (sameWord(w, "REAL")) {
      out_ += "DOUBLE PRECISION";
    } else if (sameWord(w, "TEXT")) {
      textAt_ = out_.size();
      out_ += w;
    } else if (sameWord(w, "RTRIM") && textAt_ != std::string::npos && endsWithCollate()) {
      out_.replace(textAt_, 4, "BPCHAR");
      out_ += "\"C\"";
      textAt_ = std::string::npos;
    } else {
      out_ += w;
    }
    return j;
  }

  // A parameter as a pattern reads as SQLite's engine reads it: only a '%' that
  // ends it is a wildcard (the server's '\' escapes, its '_' matches any one character).
  std::size_t patternAfter(std::size_t i) {
    std::size_t k = i;
    while (k < s_.size() && std::isspace(static_cast<unsigned char>(s_[k]))) ++k;
    if (k == s_.size() || s_[k] != '?') return i;
    out_.append(s_.substr(i, k - i));
    out_ += "regexp_replace(replace(replace(";
    k = parameter(k);
    out_ += R"(, '\', '\\'), '_', '\_'), '%(?!$)', '\\%', 'g'))";
    return k;
  }

  bool endsWithCollate() const {
    std::size_t e = out_.size();
    while (e > 0 && std::isspace(static_cast<unsigned char>(out_[e - 1]))) --e;
    return e >= 7 && sameWord(std::string_view(out_).substr(e - 7, 7), "COLLATE");
  }

  std::string_view s_;
  std::string out_;
  std::size_t textAt_ = std::string::npos;
  int bare_ = 0;
};

}  // namespace

std::string toPostgres(std::string_view sql) { return Rewriter(sql).run(); }

}  // namespace corvena::db::pg

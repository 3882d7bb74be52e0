#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/db/database.h"

namespace corvena::db {

namespace {

const char* const kSqlKeywords[] = {
    "select", "insert", "update", "delete",  "with",    "create",  "drop",     "alter",
    "pragma", "begin",  "commit", "rollback", "replace", "values",  "explain",  "attach",
    "detach", "vacuum", "analyze", "reindex", "savepoint", "release", "end"};

bool isSqlKeyword(std::string_view word) {
  for (const char* k : kSqlKeywords) {
    std::string_view kw(k);
    if (kw.size() == word.size() &&
        std::equal(kw.begin(), kw.end(), word.begin(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
      return true;
  }
  return false;
}

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$';
}

// Reads a literal starting at the opening quote; returns the index after the closing one.
std::size_t readLiteral(std::string_view text, std::size_t i, std::string& out) {
  const std::size_t start = i;
  out.clear();
  for (++i; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      out += text[++i];
    } else if (c == '\'') {
      return i + 1;
    } else {
      out += c;
    }
  }
  throw DbError("Unterminated text literal in statement: " + std::string(text.substr(start)));
}

Value numberValue(std::string_view token) {
  std::int64_t i = 0;
  auto [p, ec] = std::from_chars(token.data(), token.data() + token.size(), i);
  if (ec == std::errc() && p == token.data() + token.size()) return i;
  double d = 0;
  auto [q, ec2] = std::from_chars(token.data(), token.data() + token.size(), d);
  if (ec2 == std::errc() && q == token.data() + token.size()) return d;
  throw DbError("Malformed parameter: " + std::string(token));
}

void parseParameters(std::string_view text, Call& call) {
  std::size_t i = 0;
  std::string literal;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '\'') {
      i = readLiteral(text, i, literal);
      call.params.emplace_back(literal);
    } else {
      std::size_t j = i;
      while (j < text.size() && text[j] != ',' && text[j] != '\'' &&
             !std::isspace(static_cast<unsigned char>(text[j])))
        ++j;
      call.params.push_back(numberValue(text.substr(i, j - i)));
      i = j;
    }
  }
}

void liftLiterals(std::string_view text, Call& call) {
  std::string literal;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\'') {
      i = readLiteral(text, i, literal);
      call.params.emplace_back(literal);
      call.sql += "?" + std::to_string(call.params.size());
    } else if (c == '"') {
      const std::size_t end = text.find('"', i + 1);
      const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
      call.sql.append(text.substr(i, stop - i));
      i = stop;
    } else {
      call.sql += c;
      ++i;
    }
  }
}

}  // namespace

Call parseCall(std::string_view text) {
  Call call;
  std::size_t b = 0;
  while (b < text.size() && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  std::size_t e = b;
  while (e < text.size() && isNameChar(text[e])) ++e;
  const std::string_view word = text.substr(b, e - b);
  if (word.empty() || isSqlKeyword(word) || (e < text.size() && text[e] == '(')) {
    liftLiterals(text.substr(b), call);
    return call;
  }
  call.procedure = std::string(word);
  parseParameters(text.substr(e), call);
  return call;
}

std::string textLiteral(std::string_view value) {
  while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) value.remove_suffix(1);
  std::string out = "'";
  for (char c : value) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

// A leading blank keeps two numbers written back to back apart.
std::string intLiteral(long value) { return " " + std::to_string(value); }

std::string floatLiteral(double value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::isfinite(value) ? value : 0.0);
  return " " + std::string(buf, ec == std::errc() ? end : buf);
}

std::string dateLiteral(const Date& value) { return "'" + value.iso() + "'"; }

}  // namespace corvena::db

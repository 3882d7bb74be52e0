// The procedure catalogue: named statements read from each schema directory's
// procedures.sql ("-- procedure NAME PARAMCOUNT" introduces a body whose
// statements are separated by semicolons and use ?1..?N), kept in the
// database's corvena_procedure table and in memory for calls.

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "platform/db/connection.h"
#include "platform/db/database.h"

namespace corvena::db {

namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool onlyCommentsOrBlank(std::string_view s) {
  std::istringstream in{std::string(s)};
  std::string line;
  while (std::getline(in, line)) {
    const auto b = line.find_first_not_of(" \t\r");
    if (b != std::string::npos && line.compare(b, 2, "--") != 0) return false;
  }
  return true;
}

// Splits on semicolons outside quotes and comments.
std::vector<std::string> splitStatements(const std::string& body) {
  std::vector<std::string> out;
  std::string cur;
  char quote = 0;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '-' && i + 1 < body.size() && body[i + 1] == '-') {
      const std::size_t eol = body.find('\n', i);
      const std::size_t stop = eol == std::string::npos ? body.size() : eol;
      cur.append(body, i, stop - i);
      i = stop - 1;
      continue;
    } else if (c == ';') {
      if (!onlyCommentsOrBlank(cur)) out.push_back(cur);
      cur.clear();
      continue;
    }
    cur += c;
  }
  if (!onlyCommentsOrBlank(cur)) out.push_back(cur);
  return out;
}

std::vector<Database::Procedure> parseProcedureFile(const std::string& path) {
  static const std::regex header(R"(^--\s*procedure\s+(\S+)\s+(\d+)\s*$)", std::regex::icase);
  std::vector<Database::Procedure> procs;
  std::string body;
  auto flush = [&] {
    if (!procs.empty()) procs.back().statements = splitStatements(body);
    body.clear();
  };
  std::istringstream in(readSqlFile(path));
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (std::regex_match(line, m, header)) {
      flush();
      procs.push_back({m[1].str(), std::stoi(m[2].str()), {}});
    } else if (!procs.empty()) {
      body += line + "\n";
    }
  }
  flush();
  return procs;
}

}  // namespace

// A directory this user may not enter is as good as absent: the stored
// catalogue then serves, as it does for a company opened away from the build.
bool sqlFileReachable(const std::string& file) {
  std::error_code ec;
  return std::filesystem::exists(file, ec) && !ec;
}

std::string readSqlFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw DbError("Cannot read " + path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

namespace {

// The catalogue's rows by (name, seq), names folded, so a later directory's
// procedure replaces an earlier one's whatever its case.
struct CatalogueRow {
  std::string name;
  int params = 0;
  std::string body;
  bool operator==(const CatalogueRow&) const = default;
};
using Catalogue = std::map<std::pair<std::string, int>, CatalogueRow>;

std::string folded(std::string_view name) {
  std::string out(name);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

Catalogue catalogueOf(const std::vector<Database::Procedure>& procs) {
  Catalogue rows;
  for (const auto& p : procs)
    for (std::size_t i = 0; i < p.statements.size(); ++i)
      rows[{folded(p.name), static_cast<int>(i)}] = {p.name, p.params, p.statements[i]};
  return rows;
}

Catalogue storedCatalogue(Database& db, Connection& conn) {
  Catalogue rows;
  if (!conn.hasTable("corvena_procedure")) return rows;
  Statement st = db.prepare("SELECT name, seq, params, body FROM corvena_procedure");
  while (st.step()) {
    const std::string name = std::get<std::string>(st.column(0));
    rows[{folded(name), static_cast<int>(std::get<std::int64_t>(st.column(1)))}] = {
        name, static_cast<int>(std::get<std::int64_t>(st.column(2))),
        std::get<std::string>(st.column(3))};
  }
  return rows;
}

void storeCatalogue(Database& db, const Catalogue& rows) {
  Transaction tx(db);
  db.exec(
      "CREATE TABLE IF NOT EXISTS corvena_procedure (name TEXT NOT NULL, "
      "seq INTEGER NOT NULL, params INTEGER NOT NULL, body TEXT NOT NULL, PRIMARY KEY (name, seq));"
      "DELETE FROM corvena_procedure");
  for (const auto& [key, row] : rows) {
    Statement st = db.prepare("INSERT INTO corvena_procedure VALUES (?1, ?2, ?3, ?4)");
    st.bind(1, row.name);
    st.bind(2, static_cast<std::int64_t>(key.second));
    st.bind(3, static_cast<std::int64_t>(row.params));
    st.bind(4, row.body);
    st.step();
  }
  tx.commit();
}

// A clerk's server role may not write the catalogue: the files' procedures serve
// this connection, and the next open by an administrator stores them.
void storeWhereAllowed(Database& db, const Catalogue& rows) {
  try {
    storeCatalogue(db, rows);
  } catch (const DbError& e) {
    if (e.kind() != DbError::Kind::Denied) throw;
  }
}

void checkStatements(Connection& conn, const std::vector<Database::Procedure>& procs) {
  for (const auto& p : procs)
    for (const auto& s : p.statements) {
      try {
        conn.prepare(s);
      } catch (const DbError& e) {
        throw DbError("Procedure " + p.name + ": " + e.what(), e.kind());
      }
    }
}

}  // namespace

// The files are the truth; the stored catalogue is written only when it differs
// from them, so opening a database that is up to date writes nothing.
void Database::loadProcedures(const std::vector<std::string>& dirs) {
  std::vector<Procedure> parsed;
  bool found = false;
  for (const auto& dir : dirs) {
    const auto file = std::filesystem::path(dir) / "procedures.sql";
    if (!sqlFileReachable(file.string())) continue;
    found = true;
    for (auto& p : parseProcedureFile(file.string())) parsed.push_back(std::move(p));
  }
  Catalogue rows = storedCatalogue(*this, *conn_);
  if (found) {
    Catalogue wanted = catalogueOf(parsed);
    // What is stored was checked when it was stored; every program opens the
    // company, and preparing each statement again cost a round trip apiece.
    if (wanted != rows) {
      checkStatements(*conn_, parsed);
      if (!viewOnly_) storeWhereAllowed(*this, wanted);
    }
    rows = std::move(wanted);
  }
  procedures_.clear();
  for (const auto& [key, row] : rows) {
    if (procedures_.empty() || folded(procedures_.back()->name) != key.first) {
      procedures_.push_back(std::make_unique<Procedure>());
      procedures_.back()->name = row.name;
      procedures_.back()->params = row.params;
    }
    procedures_.back()->statements.push_back(row.body);
  }
}

bool Database::hasProcedure(std::string_view name) const {
  return procedure(name) != nullptr;
}

const Database::Procedure* Database::procedure(std::string_view name) const {
  const auto it = std::find_if(procedures_.begin(), procedures_.end(),
                               [&](const auto& p) { return sameName(p->name, name); });
  return it == procedures_.end() ? nullptr : it->get();
}

Statement Database::run(const Call& call) {
  if (call.procedure.empty()) return runStatement(call.sql, call.params);
  const Procedure* found = procedure(call.procedure);
  if (!found) throw DbError("Unknown procedure: " + call.procedure);
  const Procedure& proc = *found;
  if (static_cast<int>(call.params.size()) != proc.params)
    throw DbError("Procedure " + proc.name + " takes " + std::to_string(proc.params) +
                  " parameters, " + std::to_string(call.params.size()) + " given.");
  for (std::size_t i = 0; i + 1 < proc.statements.size(); ++i) {
    Statement st = runStatement(proc.statements[i], call.params);
    while (st.step()) {
    }
  }
  if (proc.statements.empty()) return Statement();
  return runStatement(proc.statements.back(), call.params);
}

}  // namespace corvena::db

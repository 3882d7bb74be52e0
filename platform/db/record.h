#pragma once
// Fixed-layout records: blank-padded text, the 4-byte host date, 8-byte float
// amounts and 16-bit options. A record type declares its fields once, as an
// X-list; that list makes the struct, its layout (used for SQL row mapping,
// control binding by "buffer.field" and the schema check) and its null image.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace corvena {

template <std::size_t N>
struct Text {
  char c[N];

  Text() { std::memset(c, ' ', N); }
  Text(std::string_view s) { assign(s); }  // NOLINT: records take text as plain values
  Text& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  void assign(std::string_view s) {
    const std::size_t n = std::min(s.size(), N);
    std::memcpy(c, s.data(), n);
    std::memset(c + n, ' ', N - n);
  }
  std::string_view view() const { return {c, N}; }
  std::string trimmed() const {
    std::size_t n = N;
    while (n > 0 && (c[n - 1] == ' ' || c[n - 1] == '\0')) --n;
    std::size_t b = 0;
    while (b < n && c[b] == ' ') ++b;
    return std::string(c + b, n - b);
  }
  bool blank() const { return trimmed().empty(); }
  // Text compares trimmed: "P1" equals "P1     ".
  bool operator==(std::string_view s) const { return trimmed() == trimText(s); }
  template <std::size_t M>
  bool operator==(const Text<M>& o) const {
    return trimmed() == o.trimmed();
  }
  static constexpr std::size_t width = N;

 private:
  static std::string_view trimText(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
  }
};

// The host's 4-byte date. The blank date, a date never set, is 1900-01-01.
struct Date {
  std::uint16_t year = 1900;
  std::uint8_t month = 1;
  std::uint8_t day = 1;

  static Date blankDate() { return Date{}; }
  bool isBlank() const { return year == 1900 && month == 1 && day == 1; }
  // "YYYY-MM-DD"; anything else gives the blank date and false.
  static bool parseIso(std::string_view s, Date& out);
  std::string iso() const;
  int serial() const { return year * 10000 + month * 100 + day; }
  friend bool operator==(const Date& a, const Date& b) { return a.serial() == b.serial(); }
  friend auto operator<=>(const Date& a, const Date& b) { return a.serial() <=> b.serial(); }
};

enum class FieldType { Text, Date, Float, Int16 };

// The type code a control's fieldname property carries for the field.
int fieldTypeCode(FieldType t);

struct FieldDesc {
  std::string name;
  FieldType type;
  std::size_t offset;
  std::size_t width;  // characters for text, bytes otherwise
};

class RecordLayout {
 public:
  RecordLayout(std::string name, std::size_t size, std::vector<FieldDesc> fields)
      : name_(std::move(name)), size_(size), fields_(std::move(fields)) {}
  const std::string& name() const { return name_; }
  std::size_t size() const { return size_; }
  const std::vector<FieldDesc>& fields() const { return fields_; }
  // Case-insensitive; nullptr when the record has no such field.
  const FieldDesc* find(std::string_view field) const;

 private:
  std::string name_;
  std::size_t size_;
  std::vector<FieldDesc> fields_;
};

// A record of any declared type, seen through its layout.
struct RecordRef {
  void* data = nullptr;
  const RecordLayout* layout = nullptr;

  RecordRef() = default;
  RecordRef(void* d, const RecordLayout* l) : data(d), layout(l) {}
  template <class R, class = decltype(R::layout())>
  RecordRef(R& r) : data(&r), layout(&R::layout()) {}  // NOLINT: any record converts
  // Read-only uses (inserting, binding) take records as they come.
  template <class R, class = decltype(R::layout())>
  RecordRef(const R& r)  // NOLINT
      : data(const_cast<R*>(&r)), layout(&R::layout()) {}

  explicit operator bool() const { return data != nullptr; }
  char* bytes() const { return static_cast<char*>(data); }
  void* at(const FieldDesc& f) const { return bytes() + f.offset; }
};

// Field values as text, the form controls and scripts use: trimmed text,
// ISO dates, floats in shortest round-trip form, integers in decimal.
std::string fieldText(const RecordRef& r, const FieldDesc& f);
// Stores text into a field; false when the text does not parse for its type.
bool setFieldText(const RecordRef& r, const FieldDesc& f, std::string_view text);
double fieldFloat(const RecordRef& r, const FieldDesc& f);
void setFieldFloat(const RecordRef& r, const FieldDesc& f, double v);
// Copies the null image (blanks, zeros, blank dates) over the record.
void blankRecord(const RecordRef& r);

}  // namespace corvena

#define CORVENA_KIND_TEXT(w) ::corvena::Text<w>
#define CORVENA_KIND_DATE(w) ::corvena::Date
#define CORVENA_KIND_FLOAT(w) double
#define CORVENA_KIND_INT16(w) std::int16_t
#define CORVENA_WIDTH_TEXT(w) w
#define CORVENA_WIDTH_DATE(w) 4
#define CORVENA_WIDTH_FLOAT(w) 8
#define CORVENA_WIDTH_INT16(w) 2
#define CORVENA_FTYPE_TEXT ::corvena::FieldType::Text
#define CORVENA_FTYPE_DATE ::corvena::FieldType::Date
#define CORVENA_FTYPE_FLOAT ::corvena::FieldType::Float
#define CORVENA_FTYPE_INT16 ::corvena::FieldType::Int16

#define CORVENA_FIELD_MEMBER(kind, name, w) CORVENA_KIND_##kind(w) name{};
#define CORVENA_FIELD_DESC(kind, name, w) \
  ::corvena::FieldDesc{#name, CORVENA_FTYPE_##kind, offsetof(Self, name), CORVENA_WIDTH_##kind(w)},

// Declares the struct. FIELDS(F) expands to F(KIND, name, width) per field,
// KIND one of TEXT, DATE, FLOAT, INT16 (width counts only for TEXT).
#define CORVENA_RECORD(Type, FIELDS)                \
  struct Type {                                     \
    FIELDS(CORVENA_FIELD_MEMBER)                    \
    static const ::corvena::RecordLayout& layout(); \
  };

// Defines Type::layout(); place in exactly one .cpp file.
#define CORVENA_RECORD_LAYOUT(Type, FIELDS)                                              \
  const ::corvena::RecordLayout& Type::layout() {                                        \
    using Self = Type;                                                                   \
    static const ::corvena::RecordLayout l{#Type, sizeof(Type), {FIELDS(CORVENA_FIELD_DESC)}}; \
    return l;                                                                            \
  }

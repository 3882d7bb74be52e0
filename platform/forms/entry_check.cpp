#include "platform/forms/entry_check.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/forms/fiscal_period.h"
#include "platform/forms/form.h"
#include "platform/forms/fp.h"
#include "platform/forms/mask.h"
#include "platform/forms/messages.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

std::string rtrim(std::string_view s) {
  const auto e = s.find_last_not_of(" \t\r\n");
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

// A refused entry as messages quote it: a long one is cut short.
std::string shown(const std::string& text) {
  constexpr std::size_t kLongest = 40;
  return text.size() <= kLongest ? text : text.substr(0, kLongest) + "...";
}

std::string numberText(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

std::optional<std::string> fromList(const Control& c, const std::string& text) {
  const auto items = parseList(c.desc().list);
  if (items.empty()) return text;
  for (const auto& i : items)
    if (iequals(i.value, text) || iequals(i.caption, text)) return i.value;
  return std::nullopt;
}

// Digits with at most one decimal point and a sign: no exponent, nothing a
// locale would read otherwise. A scan, so no length of text can exhaust it.
bool plainNumber(std::string_view t) {
  if (!t.empty() && (t.front() == '+' || t.front() == '-')) t.remove_prefix(1);
  bool digits = false, point = false;
  for (const char ch : t) {
    if (ch >= '0' && ch <= '9') {
      digits = true;
    } else if (ch == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// The amount rounded to the currency's decimals; nothing when it is no finite double.
std::optional<double> amount(std::string_view t, int decimals) {
  if (!plainNumber(t)) return std::nullopt;
  if (t.front() == '+') t.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  const double rounded = fpRound(v, decimals);
  return rounded == 0 ? 0.0 : rounded;  // no negative zero
}

std::optional<std::string> checkFloat(const Control& c, const std::string& text,
                                      const EntryRules& rules, EntryRefusal& refusal) {
  const auto v = amount(text.empty() ? "0" : text, rules.decimals);
  if (!v) return std::nullopt;
  const auto& d = c.desc();
  if ((d.min && *v < *d.min) || (d.max && *v > *d.max)) {
    refusal = {kMsgOutOfRange,
               {shown(text), controlLabel(c), d.min ? numberText(*d.min) : "",
                d.max ? numberText(*d.max) : ""}};
    return std::nullopt;
  }
  return numberText(*v);
}

std::optional<std::string> checkDate(const std::string& text) {
  if (text.empty()) return Date::blankDate().iso();
  Date d;
  if (!Date::parseIso(text, d)) return std::nullopt;
  return d.iso();
}

std::optional<std::string> checkText(const Control& c, const FieldDesc& f, const std::string& text,
                                     const EntryRules& rules, EntryRefusal& refusal) {
  auto masked = applyMask(c.desc().mask, text);
  if (!masked || (f.type == FieldType::Text && masked->size() > f.width)) return std::nullopt;
  if (c.desc().period && !masked->empty() && !validPeriod(*masked, rules.periodsPerYear)) {
    refusal = {kMsgBadPeriod, {*masked, controlLabel(c), std::to_string(rules.periodsPerYear)}};
    return std::nullopt;
  }
  return masked;
}

std::optional<std::string> byClass(const Control& c, const FieldDesc& f, const std::string& text,
                                   const EntryRules& rules, EntryRefusal& refusal) {
  switch (c.cls()) {
    case ControlClass::Combo:
    case ControlClass::OptionGroup:
      return fromList(c, text);
    case ControlClass::Check: {
      const std::string t = lower(text);
      if (t == "1" || t == "-1" || t == "true") return std::string("1");
      if (t == "0" || t == "false" || t.empty()) return std::string("0");
      return std::nullopt;
    }
    case ControlClass::Float:
      return checkFloat(c, text, rules, refusal);
    case ControlClass::Date:
      return checkDate(text);
    case ControlClass::MaskedText:
      return checkText(c, f, text, rules, refusal);
    default:
      return std::nullopt;
  }
}

}  // namespace

// Messages name a field as the clerk sees it: its heading, its caption, or its
// label ("lWashAcct" labels "cWashAcct") without the colon.
std::string controlLabel(const Control& control) {
  if (!control.desc().heading.empty()) return control.desc().heading;
  if (!control.desc().caption.empty()) return control.desc().caption;
  const std::string& name = control.name();
  if (name.size() > 1 && name[0] == 'c') {
    const Control* label = control.form().find("l" + name.substr(1));
    if (label && !label->desc().caption.empty()) {
      std::string text = label->desc().caption;
      while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
      return text;
    }
  }
  return name;
}

std::optional<std::string> checkEntry(const Control& control, const RecordRef& rec,
                                      const FieldDesc& field, std::string_view typed,
                                      const EntryRules& rules, EntryRefusal& refusal) {
  const std::string text = rtrim(typed);
  if (!typableText(text)) {
    refusal = {kMsgUntypable, {controlLabel(control)}};
    return std::nullopt;
  }
  refusal = {kMsgBadValue, {shown(text), controlLabel(control)}};
  auto stored = byClass(control, field, text, rules, refusal);
  if (!stored) return std::nullopt;
  std::vector<char> trial(rec.bytes(), rec.bytes() + rec.layout->size());
  if (!setFieldText(RecordRef(trial.data(), rec.layout), field, *stored)) {
    refusal = {kMsgBadValue, {shown(text), controlLabel(control)}};
    return std::nullopt;
  }
  return stored;
}

}  // namespace corvena::forms

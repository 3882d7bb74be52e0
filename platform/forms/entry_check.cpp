#include "platform/forms/entry_check.h"

#include <cstdio>
#include <regex>

#include "platform/forms/form.h"
#include "platform/forms/mask.h"
#include "platform/forms/messages.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

std::string rtrim(std::string_view s) {
  const auto e = s.find_last_not_of(" \t\r\n");
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
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

std::optional<std::string> checkFloat(const Control& c, const std::string& text,
                                      EntryRefusal& refusal) {
  static const std::regex number(R"(^[+-]?(\d+\.?\d*|\.\d+)$)");
  const std::string t = text.empty() ? "0" : text;
  if (!std::regex_match(t, number)) return std::nullopt;
  const double v = std::stod(t);
  const auto& d = c.desc();
  if ((d.min && v < *d.min) || (d.max && v > *d.max)) {
    refusal = {
        kMsgOutOfRange,
        {text, controlLabel(c), d.min ? numberText(*d.min) : "", d.max ? numberText(*d.max) : ""}};
    return std::nullopt;
  }
  return t;
}

std::optional<std::string> checkDate(const std::string& text) {
  if (text.empty()) return Date::blankDate().iso();
  Date d;
  if (!Date::parseIso(text, d)) return std::nullopt;
  return d.iso();
}

std::optional<std::string> checkText(const Control& c, const FieldDesc& f,
                                     const std::string& text) {
  auto masked = applyMask(c.desc().mask, text);
  if (!masked || (f.type == FieldType::Text && masked->size() > f.width)) return std::nullopt;
  return masked;
}

std::optional<std::string> byClass(const Control& c, const FieldDesc& f, const std::string& text,
                                   EntryRefusal& refusal) {
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
      return checkFloat(c, text, refusal);
    case ControlClass::Date:
      return checkDate(text);
    case ControlClass::MaskedText:
      return checkText(c, f, text);
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
                                      EntryRefusal& refusal) {
  const std::string text = rtrim(typed);
  refusal = {kMsgBadValue, {text, controlLabel(control)}};
  auto stored = byClass(control, field, text, refusal);
  if (!stored) return std::nullopt;
  std::vector<char> trial(rec.bytes(), rec.bytes() + rec.layout->size());
  if (!setFieldText(RecordRef(trial.data(), rec.layout), field, *stored)) {
    refusal = {kMsgBadValue, {text, controlLabel(control)}};
    return std::nullopt;
  }
  return stored;
}

}  // namespace corvena::forms

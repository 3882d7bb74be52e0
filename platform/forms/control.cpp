#include "platform/forms/control.h"

#include <charconv>
#include <functional>
#include <map>

#include "platform/forms/form.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

std::string boolText(bool b) {
  return b ? "1" : "0";
}

bool parseBool(std::string_view v) {
  const std::string t = lower(trim(v));
  return t == "1" || t == "-1" || t == "true" || t == "yes";
}

std::string numberText(const std::optional<double>& v) {
  if (!v) return {};
  std::string s = std::to_string(*v);
  s.erase(s.find_last_not_of('0') + 1);
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

std::optional<double> parseNumber(std::string_view v) {
  const std::string t = trim(v);
  if (t.empty()) return std::nullopt;
  double d = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
  if (ec != std::errc() || end != t.data() + t.size())
    throw RuntimeError(kErrBadProperty, "Not a number: " + t);
  return d;
}

struct TextProperty {
  std::function<std::string(const ControlDesc&)> get;
  std::function<void(ControlDesc&, std::string_view)> set;
};

TextProperty textMember(std::string ControlDesc::*m) {
  return {[m](const ControlDesc& d) { return d.*m; },
          [m](ControlDesc& d, std::string_view v) { d.*m = std::string(v); }};
}

TextProperty boolMember(bool ControlDesc::*m) {
  return {[m](const ControlDesc& d) { return boolText(d.*m); },
          [m](ControlDesc& d, std::string_view v) { d.*m = parseBool(v); }};
}

TextProperty numberMember(std::optional<double> ControlDesc::*m) {
  return {[m](const ControlDesc& d) { return numberText(d.*m); },
          [m](ControlDesc& d, std::string_view v) { d.*m = parseNumber(v); }};
}

const std::map<std::string, TextProperty>& properties() {
  static const std::map<std::string, TextProperty> p{
      {"enabled", boolMember(&ControlDesc::enabled)},
      {"visible", boolMember(&ControlDesc::visible)},
      {"blankerr", boolMember(&ControlDesc::blankerr)},
      {"period", boolMember(&ControlDesc::period)},
      {"pv", textMember(&ControlDesc::pv)},
      {"dbnav", textMember(&ControlDesc::dbnav)},
      {"mask", textMember(&ControlDesc::mask)},
      {"caption", textMember(&ControlDesc::caption)},
      {"heading", textMember(&ControlDesc::heading)},
      {"list", textMember(&ControlDesc::list)},
      {"default", textMember(&ControlDesc::defaultValue)},
      {"tag", textMember(&ControlDesc::tag)},
      {"level", textMember(&ControlDesc::level)},
      {"trigger", textMember(&ControlDesc::trigger)},
      {"fieldname", textMember(&ControlDesc::fieldname)},
      {"levels", textMember(&ControlDesc::levels)},
      {"min", numberMember(&ControlDesc::min)},
      {"max", numberMember(&ControlDesc::max)},
      {"fieldclass",
       {[](const ControlDesc& d) { return std::to_string(d.fieldclass); },
        [](ControlDesc& d, std::string_view v) {
          d.fieldclass = static_cast<int>(parseNumber(v).value_or(0));
        }}},
  };
  return p;
}

const TextProperty& findProperty(std::string_view name) {
  const auto it = properties().find(lower(trim(name)));
  if (it == properties().end())
    throw RuntimeError(kErrBadProperty, "Unknown property: " + std::string(name));
  return it->second;
}

}  // namespace

std::vector<ListItem> parseList(std::string_view list) {
  std::vector<ListItem> items;
  std::size_t start = 0;
  while (start < list.size()) {
    const auto end = std::min(list.find(',', start), list.size());
    const std::string_view item = list.substr(start, end - start);
    const auto semi = item.find(';');
    ListItem li{trim(item.substr(0, semi)),
                trim(semi == std::string_view::npos ? item : item.substr(semi + 1))};
    if (!li.value.empty()) items.push_back(std::move(li));
    start = end + 1;
  }
  return items;
}

Control::Control(Form& form, ControlDesc desc) : form_(&form), desc_(std::move(desc)) {}

int Control::level() const {
  const std::string t = trim(desc_.level);
  if (!t.empty()) {
    int v = 15;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
  }
  if (const BoundRecord* r = form_->session().findRecord(bufferName())) return r->level;
  return 15;
}

bool Control::isKey() const {
  const auto comma = desc_.level.find(',');
  return comma != std::string::npos && lower(trim(desc_.level.substr(comma + 1))) == "k";
}

bool Control::isGridColumn() const {
  if (desc_.parent.empty()) return false;
  const Control* p = form_->find(desc_.parent);
  return p && p->cls() == ControlClass::Grid;
}

const Control::FieldRef& Control::fieldRef() const {
  if (ref_.source != desc_.fieldname) {
    ref_.source = desc_.fieldname;
    if (!splitFieldRef(ref_.source, ref_.buffer, ref_.field)) ref_.buffer = ref_.field = "";
  }
  return ref_;
}

const std::string& Control::bufferName() const { return fieldRef().buffer; }

const std::string& Control::fieldName() const { return fieldRef().field; }

std::string Control::property(std::string_view name) const {
  return findProperty(name).get(desc_);
}

void Control::setProperty(std::string_view name, std::string_view value) {
  findProperty(name).set(desc_, value);
}

Control& Control::onValueCheck(ValueCheckHandler h) {
  handlers_.valueCheck = std::move(h);
  return *this;
}
Control& Control::onValueDisplayed(ValueDisplayedHandler h) {
  handlers_.valueDisplayed = std::move(h);
  return *this;
}
Control& Control::onClick(ClickHandler h) {
  handlers_.click = std::move(h);
  return *this;
}
Control& Control::onLineChange(LineHandler h) {
  handlers_.lineChange = std::move(h);
  return *this;
}
Control& Control::onLineCheck(LineHandler h) {
  handlers_.lineCheck = std::move(h);
  return *this;
}
Control& Control::onSaveLevel(SaveLevelHandler h) {
  handlers_.saveLevel = std::move(h);
  return *this;
}
Control& Control::onSaveCompleted(SaveCompletedHandler h) {
  handlers_.saveCompleted = std::move(h);
  return *this;
}
Control& Control::onDeleteRequested(DeleteRequestedHandler h) {
  handlers_.deleteRequested = std::move(h);
  return *this;
}
Control& Control::onLevelReset(LevelResetHandler h) {
  handlers_.levelReset = std::move(h);
  return *this;
}
Control& Control::onCancelRequested(CancelRequestedHandler h) {
  handlers_.cancelRequested = std::move(h);
  return *this;
}
Control& Control::onNewRequested(NewRequestedHandler h) {
  handlers_.newRequested = std::move(h);
  return *this;
}
Control& Control::onPossibleValues(PossibleValuesHandler h) {
  handlers_.possibleValues = std::move(h);
  return *this;
}

}  // namespace corvena::forms

#include "platform/forms/form.h"

#include <algorithm>

#include "platform/forms/runtime_error.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

Form::Form(Session& session, const FormDesc& desc, long windowHandle)
    : session_(&session),
      name_(desc.name),
      caption_(desc.caption),
      importButton_(desc.importButton),
      windowHandle_(windowHandle) {
  for (const auto& c : desc.controls) controls_.push_back(std::make_unique<Control>(*this, c));
}

Control* Form::find(std::string_view name, int index) const {
  Control* firstOfArray = nullptr;
  for (const auto& c : controls_) {
    if (!iequals(c->name(), name)) continue;
    if (c->index() == index) return c.get();
    if (index == -1 && !firstOfArray && c->index() <= 0) firstOfArray = c.get();
  }
  return firstOfArray;
}

Control& Form::control(std::string_view name) const {
  if (Control* c = find(name)) return *c;
  throw RuntimeError(kErrNoSuchControl, "No control " + std::string(name) + " on " + name_);
}

Control* Form::updateControl() const {
  for (const auto& c : controls_)
    if (c->cls() == ControlClass::Update) return c.get();
  return nullptr;
}

std::vector<Control*> Form::range(const Control* first, const Control* last) const {
  auto wholeForm = [](const Control* c) { return !c || c->cls() == ControlClass::Update; };
  std::vector<Control*> out;
  const bool all = wholeForm(first) && wholeForm(last);
  bool inside = all || wholeForm(first);
  for (const auto& c : controls_) {
    if (c.get() == first) inside = true;
    if (inside) out.push_back(c.get());
    if (!wholeForm(last) && c.get() == last) break;
  }
  return out;
}

std::vector<Control*> Form::columns(const Control& grid) const {
  std::vector<Control*> out;
  for (const auto& c : controls_)
    if (iequals(c->desc().parent, grid.name()) && c->bound()) out.push_back(c.get());
  return out;
}

Control& Form::loadArrayElement(std::string_view name, int index) {
  Control* zero = find(name, 0);
  if (!zero) throw RuntimeError(kErrNoSuchControl, "No control array " + std::string(name));
  if (find(name, index) && find(name, index)->index() == index)
    throw RuntimeError(kErrNoSuchControl, "Control array element already loaded");
  ControlDesc d = zero->desc();
  d.index = index;
  d.visible = false;
  controls_.push_back(std::make_unique<Control>(*this, d));
  return *controls_.back();
}

void Form::unloadControl(Control& control) {
  std::erase_if(controls_, [&](const auto& c) { return c.get() == &control; });
}

Form& Form::onLoad(FormHandler h) {
  onLoad_ = std::move(h);
  return *this;
}

Form& Form::onUnload(FormHandler h) {
  onUnload_ = std::move(h);
  return *this;
}

}  // namespace corvena::forms

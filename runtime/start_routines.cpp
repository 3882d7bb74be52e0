#include "runtime/host/host_process.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {

void CenterForm(forms::Form& form) {
  auto& position = host::FormPosition(form);
  const float left =
      static_cast<float>(host::ScreenWidth()) / 2.0f - static_cast<float>(position.width) / 2.0f;
  std::int32_t top = host::GetScreenTop();
  if (Runtime.topExtra) top += host::GetScreenTopExtra();
  position.left = left;
  position.top = top;
}

void SetMousePointer(int pointer) {
  host::SetScreenMousePointer(pointer);
}

}  // namespace corvena::runtime

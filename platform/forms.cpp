#include "platform/forms.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace scr::platform {

void CheckFormSpec(const TFormSpec& desc) {
  for (size_t i = 0; i < desc.controls.size(); ++i) {
    const int parent = desc.controls[i].parent;
    if (parent == -1) continue;
    if (parent < -1 || parent >= static_cast<int>(i) || desc.controls[parent].kind != TControlKind::ckPanel)
      throw std::invalid_argument("control " + std::to_string(i) + " (" + desc.controls[i].name +
                                  ") needs the form or an earlier panel as its parent");
  }
}

int FindControl(const TFormSpec& desc, std::string_view name) {
  for (size_t i = 0; i < desc.controls.size(); ++i)
    if (desc.controls[i].name == name) return static_cast<int>(i);
  return -1;
}

std::vector<TRect> LayoutControls(const TFormSpec& desc, int width, int height) {
  const size_t n = desc.controls.size();
  std::vector<TRect> rects(n);
  for (size_t i = 0; i < n; ++i) rects[i] = desc.controls[i].bounds;

  // Parents come before their children (CheckFormSpec), so one pass in list order sees
  // each parent's final size before its children are placed.
  auto clientOf = [&](int parent) {
    if (parent < 0) return TRect{0, 0, width, height};
    return TRect{0, 0, rects[parent].Width(), rects[parent].Height()};
  };
  std::vector<int> parents;
  parents.push_back(-1);
  for (size_t i = 0; i < n; ++i)
    if (desc.controls[i].kind == TControlKind::ckPanel) parents.push_back(static_cast<int>(i));

  for (int parent : parents) {
    TRect free = clientOf(parent);
    std::vector<int> tops, bottoms, clients;
    for (size_t i = 0; i < n; ++i) {
      const TControlSpec& c = desc.controls[i];
      if (c.parent != parent) continue;
      if (c.align == TAlign::alTop) tops.push_back(static_cast<int>(i));
      if (c.align == TAlign::alBottom) bottoms.push_back(static_cast<int>(i));
      if (c.align == TAlign::alClient) clients.push_back(static_cast<int>(i));
    }
    std::stable_sort(tops.begin(), tops.end(),
                     [&](int a, int b) { return desc.controls[a].bounds.top < desc.controls[b].bounds.top; });
    std::stable_sort(bottoms.begin(), bottoms.end(),
                     [&](int a, int b) { return desc.controls[a].bounds.bottom > desc.controls[b].bounds.bottom; });
    for (int i : tops) {
      const int h = desc.controls[i].bounds.Height();
      rects[i] = TRect{free.left, free.top, free.right, free.top + h};
      free.top += h;
    }
    for (int i : bottoms) {
      const int h = desc.controls[i].bounds.Height();
      rects[i] = TRect{free.left, free.bottom - h, free.right, free.bottom};
      free.bottom -= h;
    }
    for (int i : clients) rects[i] = TRect{free.left, free.top, free.right, std::max(free.top, free.bottom)};
  }
  return rects;
}

}  // namespace scr::platform

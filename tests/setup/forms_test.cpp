// Forms made from descriptions: how aligned controls are laid out and which
// descriptions are refused.
#include <gtest/gtest.h>

#include "platform/forms.h"
#include "platform/headless/headless_platform.h"

namespace scr::platform {
namespace {

TControlSpec Control(std::string name, TControlKind kind, int parent, TAlign align, TRect bounds) {
  TControlSpec c;
  c.name = std::move(name);
  c.kind = kind;
  c.parent = parent;
  c.align = align;
  c.bounds = bounds;
  return c;
}

TEST(FormLayout, AlignedPanelsShareTheClientAreaAndFollowItsSize) {
  TFormSpec f;
  // Listed out of order: top panels stack by their tops, bottom ones by their bottoms.
  f.controls.push_back(Control("second", TControlKind::ckPanel, -1, TAlign::alTop, Bounds(0, 50, 10, 20)));
  f.controls.push_back(Control("fill", TControlKind::ckPanel, -1, TAlign::alClient, Bounds(5, 5, 1, 1)));
  f.controls.push_back(Control("first", TControlKind::ckPanel, -1, TAlign::alTop, Bounds(0, 0, 10, 30)));
  f.controls.push_back(Control("low", TControlKind::ckPanel, -1, TAlign::alBottom, Bounds(0, 300, 10, 40)));
  f.controls.push_back(Control("lowest", TControlKind::ckPanel, -1, TAlign::alBottom, Bounds(0, 350, 10, 10)));
  f.controls.push_back(Control("inner", TControlKind::ckPanel, 1, TAlign::alBottom, Bounds(0, 0, 3, 15)));
  f.controls.push_back(Control("free", TControlKind::ckLabel, 1, TAlign::alNone, Bounds(7, 8, 20, 13)));

  std::vector<TRect> r = LayoutControls(f, 200, 300);
  EXPECT_EQ(r[2], (TRect{0, 0, 200, 30}));
  EXPECT_EQ(r[0], (TRect{0, 30, 200, 50}));
  EXPECT_EQ(r[4], (TRect{0, 290, 200, 300}));
  EXPECT_EQ(r[3], (TRect{0, 250, 200, 290}));
  EXPECT_EQ(r[1], (TRect{0, 50, 200, 250}));
  // Children are placed in their parent's client area, after the parent's own layout.
  EXPECT_EQ(r[5], (TRect{0, 185, 200, 200}));
  EXPECT_EQ(r[6], Bounds(7, 8, 20, 13));

  r = LayoutControls(f, 120, 100);
  EXPECT_EQ(r[1], (TRect{0, 50, 120, 50})) << "a filling panel with no room left is empty, not inverted";
  EXPECT_EQ(r[3], (TRect{0, 50, 120, 90}));
}

TEST(FormLayout, ParentsMustBeEarlierPanels) {
  TFormSpec f;
  f.controls.push_back(Control("label", TControlKind::ckLabel, -1, TAlign::alNone, {}));
  f.controls.push_back(Control("child", TControlKind::ckLabel, 0, TAlign::alNone, {}));
  EXPECT_THROW(CheckFormSpec(f), std::invalid_argument) << "a label holds no controls";
  f.controls[0].kind = TControlKind::ckPanel;
  EXPECT_NO_THROW(CheckFormSpec(f));
  f.controls[1].parent = 1;
  EXPECT_THROW(CheckFormSpec(f), std::invalid_argument) << "its own parent";
  f.controls[1].parent = 5;
  EXPECT_THROW(CheckFormSpec(f), std::invalid_argument) << "no such control";

  headless::THeadlessPlatform p;
  EXPECT_THROW(p.Forms().CreateForm(f, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace scr::platform

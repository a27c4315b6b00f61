// Forms made from descriptions: how aligned controls are laid out, which descriptions
// are refused, and the headless model's clicks, events and error reports.
#include <gtest/gtest.h>

#include "common/errors.h"
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

class HeadlessFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TFormSpec f;
    f.caption = "Probe";
    f.clientWidth = 200;
    f.clientHeight = 100;
    f.screenCenter = true;
    f.onShow = [this] {
      events_.push_back("show");
      if (failShow_) throw Exception("show failed");
    };
    TControlSpec box = Control("box", TControlKind::ckCheckBox, -1, TAlign::alNone, Bounds(1, 1, 50, 17));
    box.onClick = [this] { events_.push_back(std::string("box ") + (form_->Checked("box") ? "on" : "off")); };
    f.controls.push_back(box);
    TControlSpec button = Control("button", TControlKind::ckButton, -1, TAlign::alNone, Bounds(1, 40, 75, 25));
    button.onClick = [] { throw Exception("Unable to do it"); };
    f.controls.push_back(button);
    TControlSpec link = Control("link", TControlKind::ckLabel, -1, TAlign::alNone, Bounds(1, 70, 30, 13));
    link.onMouseEnter = [this] { events_.push_back("enter"); };
    link.onMouseLeave = [this] { events_.push_back("leave"); };
    f.controls.push_back(link);
    form_ = p_.Forms().CreateForm(std::move(f), nullptr);
    model_ = p_.Forms().Find(form_->Handle());
    ASSERT_NE(model_, nullptr);
  }

  headless::THeadlessPlatform p_;
  std::unique_ptr<IForm> form_;
  headless::THeadlessForm* model_ = nullptr;
  std::vector<std::string> events_;
  bool failShow_ = false;
};

TEST_F(HeadlessFormTest, ClicksToggleCheckBoxesAndRunTheirEvents) {
  form_->SetChecked("box", true);
  EXPECT_TRUE(events_.empty()) << "setting the state from the program runs no event";
  model_->Click("box");
  model_->Click("box");
  model_->MouseEnter("link");
  model_->MouseLeave("link");
  EXPECT_EQ(events_, (std::vector<std::string>{"box off", "box on", "enter", "leave"}));
  EXPECT_TRUE(form_->Checked("box"));
}

TEST_F(HeadlessFormTest, ErrorsEscapingEventsAreReportedAndTheFormCarriesOn) {
  failShow_ = true;
  form_->Show();
  EXPECT_TRUE(p_.Desktop().OwnWindowVisible(form_->Handle())) << "shown after its show event failed";
  model_->Click("button");
  EXPECT_EQ(p_.Log().Only({"ShowException"}),
            (std::vector<std::string>{"ShowException show failed", "ShowException Unable to do it"}));
  EXPECT_TRUE(form_->Exists());
  model_->Click("box");
  EXPECT_EQ(events_.back(), "box on");
}

TEST_F(HeadlessFormTest, TextsCaptionPlaceAndCursor) {
  form_->SetText("link", "mail@example.invalid");
  form_->SetCaption("Probe [x]");
  EXPECT_EQ(form_->Text("link"), "mail@example.invalid");
  EXPECT_EQ(model_->Spec().caption, "Probe [x]");
  EXPECT_EQ(model_->Bounds(), Bounds((1024 - 200) / 2, (768 - 100) / 2, 200, 100));
  EXPECT_THROW(form_->Text("nothing"), std::invalid_argument);
  EXPECT_THROW(model_->Click("nothing"), std::invalid_argument);

  p_.Forms().SetCursor(TCursor::crHandPoint);
  EXPECT_EQ(p_.Forms().Cursor(), TCursor::crHandPoint);
  EXPECT_TRUE(p_.Log().Has("SetCursor crHandPoint"));
  form_.reset();
  EXPECT_EQ(p_.Forms().Last(), nullptr) << "a freed form is forgotten";
}

}  // namespace
}  // namespace scr::platform

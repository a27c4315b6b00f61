// The setup dialog from the keyboard alone: the focus in tab order, Space, the "&"
// letters of the design texts and of the language file's, and Enter and Esc that do
// nothing.
#include "platform/form_keys.h"
#include "tests/setup/setup_fixture.h"

namespace scr::setup::test {
namespace {

using platform::TFormKey;
using platform::TFormKeyAction;
using platform::TFormKeyKind;

TFormKey Key(TFormKeyKind kind, bool shift = false) { return TFormKey{kind, shift, false, 0}; }
TFormKey Letter(char ch, bool alt) { return TFormKey{TFormKeyKind::fkChar, false, alt, ch}; }

class SetupKeysTest : public SetupTest {
 protected:
  void Press(const TFormKey& key) {
    Model().KeyPress(key);
    p_.Application().ProcessMessages();
  }
  bool DialogOpen() { return dialog_->Window().Exists(); }
};

TEST_F(SetupKeysTest, TabAndShiftTabGoRoundTheCheckBoxAndTheButton) {
  InstallSaver();
  Open();
  EXPECT_EQ(Model().Focused(), kcbMute);  // the first control in tab order
  Press(Key(TFormKeyKind::fkTab));
  EXPECT_EQ(Model().Focused(), kOKButton);
  Press(Key(TFormKeyKind::fkTab));
  EXPECT_EQ(Model().Focused(), kcbMute);
  Press(Key(TFormKeyKind::fkTab, true));
  EXPECT_EQ(Model().Focused(), kOKButton);
}

TEST_F(SetupKeysTest, SpaceTogglesTheBoxAndAltOStoresTheChoice) {
  InstallSaver();
  Open();
  Press(Key(TFormKeyKind::fkSpace));
  EXPECT_TRUE(Model().Checked(kcbMute));
  // Enter and Esc neither press the button nor close the dialog.
  Press(Key(TFormKeyKind::fkEnter));
  Press(Key(TFormKeyKind::fkEscape));
  EXPECT_TRUE(DialogOpen());
  EXPECT_EQ(Ini(), "<missing>");
  Press(Letter('O', true));
  EXPECT_FALSE(DialogOpen());
  EXPECT_EQ(Ini(), "[Setup]\r\nmute=1\r\n");
}

TEST_F(SetupKeysTest, SpaceOnTheFocusedButtonAndThePlainLetterPressOk) {
  for (const bool plainLetter : {false, true}) {
    SCOPED_TRACE(plainLetter);
    InstallSaver();
    Open();
    if (plainLetter) {
      Press(Letter('o', false));
    } else {
      Press(Key(TFormKeyKind::fkTab));
      Press(Key(TFormKeyKind::fkSpace));
    }
    EXPECT_FALSE(DialogOpen());
    EXPECT_FALSE(Model().Checked(kcbMute)) << "the box was not touched";
    EXPECT_EQ(Ini(), "<missing>");
  }
}

TEST_F(SetupKeysTest, TheLanguageFilesLettersAreTheMnemonics) {
  InstallSaver();
  SetLanguageFile("[Language]\r\nbtnOK=&Weiter\r\nMuteMusic=Musik &aus\r\n");
  Open();
  Press(Letter('o', true));  // "&Ok" is gone
  EXPECT_TRUE(DialogOpen());
  Press(Letter('A', true));
  EXPECT_TRUE(Model().Checked(kcbMute));
  Press(Letter('w', false));
  EXPECT_FALSE(DialogOpen());
  EXPECT_EQ(Ini(), "[Setup]\r\nmute=1\r\n");
}

TEST_F(SetupKeysTest, AButtonTextWithoutAmpersandHasNoLetter) {
  InstallSaver();
  SetLanguageFile("[Language]\r\nTitle=T\r\n");  // the button reads "OK"
  Open();
  Press(Letter('o', true));
  Press(Letter('k', true));
  EXPECT_TRUE(DialogOpen());
}

TEST(FormKeys, MnemonicsSkipDoubledAmpersandsAndFoldCase) {
  EXPECT_EQ(platform::Mnemonic("&Ok"), 'o');
  EXPECT_EQ(platform::Mnemonic("Save && &Quit"), 'q');
  EXPECT_EQ(platform::Mnemonic("A && B"), 0);
  EXPECT_EQ(platform::Mnemonic("Trailing &"), 0);
  EXPECT_EQ(platform::Mnemonic(""), 0);
  EXPECT_EQ(platform::Mnemonic("\xC4nderungen &\xDC" "bernehmen"), '\xFC');  // Windows-1252 letters
  EXPECT_EQ(platform::Mnemonic("\xC3\x84nderungen &\xC3\x9C" "bernehmen"), '\xFC');  // the same as UTF-8
}

TEST(FormKeys, AFormWithoutFocusableControlsSwallowsTabAndPassesLetters) {
  platform::TFormSpec form;
  form.controls.push_back(platform::TControlSpec{"label", platform::TControlKind::ckLabel});
  form.controls.back().text = "&Label";
  EXPECT_EQ(platform::FormKeyAction(form, -1, Key(TFormKeyKind::fkTab)), TFormKeyAction{TFormKeyAction::kSwallow});
  EXPECT_EQ(platform::FormKeyAction(form, -1, Letter('l', true)), TFormKeyAction{TFormKeyAction::kPass});
  EXPECT_EQ(platform::FormKeyAction(form, -1, Key(TFormKeyKind::fkSpace)), TFormKeyAction{TFormKeyAction::kPass});
}

}  // namespace
}  // namespace scr::setup::test

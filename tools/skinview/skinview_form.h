#pragma once
// The skinview window: a framework form skinned through its own TSkinData, with a main menu
// (File, View, Help), a status bar naming the skin, and one panel per registered page, of which
// one shows at a time.
#include "tools/skinview/page_places.h"
#include "tools/skinview/page_registry.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <memory>
#include <string>
#include <vector>

namespace vela::skin {
class TSkinData;
} // namespace vela::skin

namespace vela::ui {
class TImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TStatusBar;
} // namespace vela::ui

namespace vela::skinview {

class TSkinViewForm;

// What a page's fill function works with: the page's empty panel, and the window around it.
class TPageHost {
public:
  TPageHost(TSkinViewForm& form, ui::TPanel& panel) : form_(form), panel_(panel) {}
  TSkinViewForm& Form() const { return form_; }
  ui::TPanel& Panel() const { return panel_; }
  skin::TSkinData& SkinData() const;
  // Places a new control of type T on the page (owned by the form).
  template <class T> T* Add(int left, int top, int width, int height) {
    auto* control = new T(&Form());
    control->SetParent(&panel_);
    control->SetBounds(left, top, width, height);
    return control;
  }
  template <class T> T* Add(const places::Place& place) {
    return Add<T>(place.left, place.top, place.width, place.height);
  }
  // Called each time the page is shown or hidden (for a page that adds to the main menu).
  std::function<void(bool shown)> OnShowChanged;

private:
  TSkinViewForm& form_;
  ui::TPanel& panel_;
};

class TSkinViewForm : public ui::TForm {
public:
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 420;

  explicit TSkinViewForm(ui::TComponent* owner);
  ~TSkinViewForm() override;

  // Reads a skin file (empty: the default skin the program carries) and skins the window with
  // it. False when it cannot be read: every message has been reported and the window shows
  // unskinned. Messages go to a message box, or to the error output when `quiet`.
  bool UseSkin(const std::wstring& file, bool quiet);
  bool SkinLoaded() const { return skinLoaded_; }
  skin::TSkinData& SkinData() const { return *skinData_; }

  const std::vector<std::string>& PageNames() const { return pageNames_; }
  bool ShowPage(const std::string& name);
  const std::string& CurrentPage() const { return currentPage_; }

  ui::TMainMenu* MainMenu() const { return mainMenu_; }
  ui::TStatusBar* StatusBar() const { return statusBar_; }
  // Says something in the status bar (what was chosen, what failed).
  void Say(const std::wstring& text);

  // The whole window, frame included, as a 24-bit BMP file; false with `error` when it cannot
  // be written.
  bool SaveShot(const std::wstring& file, std::wstring& error);

private:
  struct Page {
    std::string name;
    ui::TPanel* panel = nullptr;
    ui::TMenuItem* viewItem = nullptr;
    std::unique_ptr<TPageHost> host;
  };

  void BuildMenus();
  void BuildPages();
  ui::TMenuItem* AddItem(ui::TMenuItem* parent, const std::wstring& caption,
                         std::function<void()> click, const std::wstring& shortcut = {});
  void OpenSkin();
  void SaveShotAs();
  void ShowAbout();
  void StepPage(int step);
  void UpdateStatus();
  void Report(const std::wstring& text, bool quiet);

  skin::TSkinData* skinData_ = nullptr;
  ui::TMainMenu* mainMenu_ = nullptr;
  ui::TMenuItem* viewMenu_ = nullptr;
  ui::TPopupMenu* pageMenu_ = nullptr;
  ui::TStatusBar* statusBar_ = nullptr;
  std::vector<Page> pages_;
  std::vector<std::string> pageNames_;
  std::string currentPage_;
  std::wstring skinFile_;
  bool skinLoaded_ = false;
  std::wstring said_;
};

} // namespace vela::skinview

// The wizard's page logic against a stand-in window: Next and Back through every page
// and round the pages that drop out, the licence options, the fields' completion when
// they lose the focus, the picker's and the browser's results, and page 5's views.
#include "wizard/wizard_pages.h"

#include <gtest/gtest.h>

#include "unit/wizard/fake_wizard_window.h"

namespace {

using namespace qv::wizard_control;
using qvtest::FakeWizardWindow;

// Which of the page panels (and the side picture and the header band) are shown.
std::string panels(FakeWizardWindow& w) {
  std::string shown;
  for (int panel : {kWelcomePanel, kLicencePanel, kSettingsPanel, kReadmePanel, kInstallPanel, kHeaderBand,
                    kSidePicture})
    if (w.shown(panel)) shown += std::to_string(panel) + " ";
  return shown;
}

struct Walk {
  FakeWizardWindow window;
  qv::InterfaceTexts texts;
  qv::WizardPages pages{window, texts};
};

TEST(WizardPages, NextAndBackThroughEveryPage) {
  Walk w;
  w.window.viewerText[kLicenceViewer] = w.window.viewerText[kReadmeViewer] = true;
  EXPECT_EQ(panels(w.window), "26 30 ");
  w.pages.next();
  EXPECT_EQ(w.pages.pageNumber(), 2);
  EXPECT_EQ(panels(w.window), "12 1 ");
  EXPECT_TRUE(w.window.shown(kBack));
  EXPECT_EQ(w.window.controlText(kHeaderTitle), "Licence Agreement");
  EXPECT_FALSE(w.window.controls[kNext].enabled) << "the licence is not accepted yet";
  w.pages.acceptLicence(true);
  EXPECT_TRUE(w.window.controls[kNext].enabled);
  w.pages.next();
  EXPECT_EQ(panels(w.window), "16 1 ");
  EXPECT_EQ(w.window.controlText(kHeaderTitle), "Setup Settings");
  w.pages.next();
  EXPECT_EQ(panels(w.window), "10 1 ");
  EXPECT_EQ(w.window.controlText(kHeaderSubtitle), "A short description of the program");
  w.pages.next();
  EXPECT_EQ(w.pages.pageNumber(), 5);
  EXPECT_EQ(panels(w.window), "31 30 ");
  EXPECT_TRUE(w.window.shown(kInstall));
  EXPECT_FALSE(w.window.shown(kNext));
  w.pages.next();  // beyond the last page nothing changes
  EXPECT_EQ(w.pages.pageNumber(), 5);
  EXPECT_EQ(panels(w.window), "31 30 ");

  w.pages.back();
  EXPECT_EQ(w.pages.pageNumber(), 4);
  EXPECT_EQ(panels(w.window), "10 1 ");
  EXPECT_TRUE(w.window.shown(kNext));
  EXPECT_FALSE(w.window.shown(kInstall));
  w.pages.back();
  EXPECT_EQ(panels(w.window), "16 1 ");
  w.pages.back();
  EXPECT_EQ(panels(w.window), "12 1 ");
  w.pages.back();
  EXPECT_EQ(w.pages.pageNumber(), 1);
  EXPECT_EQ(panels(w.window), "26 30 ");
  EXPECT_FALSE(w.window.shown(kBack));
  EXPECT_TRUE(w.window.controls[kNext].enabled);
}

TEST(WizardPages, EmptyViewersDropTheirPagesBothWays) {
  Walk w;
  w.pages.next();
  EXPECT_EQ(w.pages.pageNumber(), 3);
  EXPECT_EQ(panels(w.window), "16 1 ");
  EXPECT_TRUE(w.window.controls[kNext].enabled);
  w.pages.next();
  EXPECT_EQ(w.pages.pageNumber(), 5);
  EXPECT_EQ(panels(w.window), "31 30 ");
  w.pages.back();
  EXPECT_EQ(w.pages.pageNumber(), 3);
  EXPECT_EQ(panels(w.window), "16 1 ");
  EXPECT_EQ(w.window.controlText(kHeaderTitle), "Setup Settings");
  w.pages.back();
  EXPECT_EQ(w.pages.pageNumber(), 1);
  EXPECT_EQ(panels(w.window), "26 30 ");
  EXPECT_FALSE(w.window.shown(kBack));
}

TEST(WizardPages, DecliningTheLicenceDisablesNextAgain) {
  Walk w;
  w.window.viewerText[kLicenceViewer] = true;
  w.window.setChecked(kAccept, true);
  w.pages.next();
  EXPECT_TRUE(w.window.controls[kNext].enabled) << "accepted before: Next stays enabled";
  w.pages.acceptLicence(false);
  EXPECT_FALSE(w.window.controls[kNext].enabled);
}

TEST(WizardPages, FieldsAreCompletedWhenTheyLoseTheFocus) {
  Walk w;
  w.window.setControlText(kInstallFolderField, "D:\\Apps");
  w.pages.installFolderLeft("Tool");
  EXPECT_EQ(w.window.controlText(kInstallFolderField), "D:\\Apps\\Tool");
  w.window.setControlText(kInstallFolderField, "D:\\My Tool Box");  // holds the name: as typed
  w.pages.installFolderLeft("Tool");
  EXPECT_EQ(w.window.controlText(kInstallFolderField), "D:\\My Tool Box");

  w.window.setControlText(kStartMenuField, "");
  w.pages.startMenuFieldLeft("Acme\\Tool");
  EXPECT_EQ(w.window.controlText(kStartMenuField), "Acme\\Tool");
  w.window.setControlText(kStartMenuField, "Utilities");
  w.pages.startMenuFieldLeft("Acme\\Tool");
  EXPECT_EQ(w.window.controlText(kStartMenuField), "Utilities\\Acme\\Tool");

  w.window.setChecked(kNoStartMenu, true);
  w.pages.noStartMenuToggled();
  EXPECT_FALSE(w.window.controls[kStartMenuField].enabled);
  EXPECT_FALSE(w.window.controls[kStartMenuChange].enabled);
  w.window.setChecked(kNoStartMenu, false);
  w.pages.noStartMenuToggled();
  EXPECT_TRUE(w.window.controls[kStartMenuField].enabled);
}

TEST(WizardPages, TheBrowsersAndThePickersFoldersAreCompleted) {
  EXPECT_EQ(qv::completeBrowsedFolder("E:\\Programs\\", "Tool"), "E:\\Programs\\Tool");
  EXPECT_EQ(qv::completeBrowsedFolder("E:\\Programs", "Tool"), "E:\\Programs\\Tool");
  EXPECT_EQ(qv::completeBrowsedFolder("E:\\Tool\\", "Tool"), "E:\\Tool\\");
  EXPECT_EQ(qv::completeBrowsedFolder("E:\\Tool", "Tool"), "E:\\Tool");
  EXPECT_EQ(qv::lastStartMenuName("Acme\\Tool"), "Tool");
  EXPECT_EQ(qv::lastStartMenuName("Acme\\Tool\\"), "Tool");
  EXPECT_EQ(qv::lastStartMenuName("Tool"), "Tool");
  EXPECT_EQ(qv::completePickedStartMenuFolder("Games", "Acme\\Tool"), "Games\\Tool");
  EXPECT_EQ(qv::completePickedStartMenuFolder("Games\\Tool", "Acme\\Tool"), "Games\\Tool");
}

TEST(WizardPages, TheInstallationAndFinishViews) {
  Walk w;
  w.window.setChecked(kRunProgram, true);
  w.pages.showInstallationView();
  EXPECT_FALSE(w.window.shown(kInstallPrompt));
  EXPECT_TRUE(w.window.shown(kStatusLine));
  EXPECT_TRUE(w.window.shown(kStepList));
  EXPECT_FALSE(w.window.isChecked(kRunProgram));
  EXPECT_EQ(w.window.controlText(kStatusLine), "Install Program '--- unkown ---' .....");
  w.window.showControl(kProgressBar, true);
  w.pages.showFinishView(true, true);
  EXPECT_FALSE(w.window.shown(kProgressBar));
  EXPECT_EQ(w.window.controlText(kStatusLine), "Installation completed");
  EXPECT_TRUE(w.window.shown(kRunProgram));
  EXPECT_TRUE(w.window.isChecked(kRunProgram));
  EXPECT_FALSE(w.window.shown(kCancel));
  EXPECT_TRUE(w.window.shown(kFinish));
  // A program that is no ".exe" never shows the check box.
  Walk other;
  other.pages.showFinishView(false, true);
  EXPECT_FALSE(other.window.shown(kRunProgram));
}

TEST(WizardPages, ComposedTexts) {
  qv::InterfaceTexts texts;
  EXPECT_EQ(qv::wizardCaption("Acme", "1.0"), "Acme 1.0");
  EXPECT_EQ(qv::wizardCaption("Acme", ""), "Acme");
  EXPECT_EQ(qv::backButtonCaption(texts), "< Back");
  EXPECT_EQ(qv::nextButtonCaption(texts), "Next >");
  EXPECT_EQ(qv::copyStepDone(texts), "Copy Program Files   -->   *** Completed ***");
  EXPECT_EQ(qv::productStepLine("Acme", "1.0", "2026-12-09"), "Acme  -  Version 1.0   (2026-12-09)");
  EXPECT_EQ(qv::productStepLine("Acme", "", ""), "Acme");
  EXPECT_EQ(qv::authorStepLine("Ann", "ann@a.example"), "\xA9 Ann   ( ann@a.example )");
  EXPECT_EQ(qv::authorStepLine("", ""), "");
  EXPECT_EQ(qv::diskSpaceStatus(texts, "12 MB"), "Required disk space: 12 MB");
}

}  // namespace

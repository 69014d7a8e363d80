// The real dialogs behind the window: the file dialog with its filter and folder,
// and the error box. A queued action plays the user at the modal dialog.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "support/temp_dir.h"
#include "window_fixture.h"

namespace ordwell::testing {
namespace {

class StandardDialogsTest : public ::testing::Test {
 protected:
  // Calls `user` with the dialog of type D once it is up; the check runs inside the
  // dialog's own loop.
  template <typename D>
  void WhenUp(std::function<void(D&)> user) {
    QTimer::singleShot(0, [this, user] {
      auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!dialog) {
        ADD_FAILURE() << "no modal dialog of the expected kind";
        if (QWidget* other = QApplication::activeModalWidget()) other->close();
        return;
      }
      user(*dialog);
    });
  }

  QWidget owner;
};

TEST_F(StandardDialogsTest, FileDialogOffersTheFilterInTheFolderAndGivesTheChosenPath) {
  TempDir dir;
  WriteBytes(dir / "run.datx", "x");
  WhenUp<QFileDialog>([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.nameFilters(), QStringList{"Tavik DataFile (*.datx *.dat)"});
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir.path());
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.selectFile(QString::fromStdString(dir / "run.datx"));
    static_cast<QDialog&>(dialog).accept();  // as the Open button does
  });
  std::optional<std::string> chosen = StandardDialogs().OpenFile(owner, kDialogs[0], dir.path());
  EXPECT_EQ(chosen, std::optional<std::string>(dir / "run.datx"));
}

TEST_F(StandardDialogsTest, CancelledFileDialogGivesNothing) {
  TempDir dir;
  WhenUp<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(StandardDialogs().OpenFile(owner, kDialogs[2], dir.path()), std::nullopt);
}

TEST_F(StandardDialogsTest, ErrorBoxIsCriticalWithTheMessageUnderTheWindowCaption) {
  owner.setWindowTitle("Ordwell");
  WhenUp<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.text().toStdString(), "/base/bad.datx:43: '$G1' is not a valid integer value");
    EXPECT_EQ(box.windowTitle().toStdString(), "Ordwell");
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    box.accept();
  });
  StandardDialogs().Error(owner, "/base/bad.datx:43: '$G1' is not a valid integer value");
}

}  // namespace
}  // namespace ordwell::testing

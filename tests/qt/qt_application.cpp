// One QApplication for every test of the window. Without a display the window is
// drawn off screen.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = new QApplication(argc_, argv_);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[9] = "qt_tests";
  char* argv_[2] = {name_, nullptr};
  QApplication* app_ = nullptr;
};

const ::testing::Environment* const kRegistered = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

// The sound module is loaded once a ring may come, so that the ring starts
// promptly: on arming with "Läuten" checked, or on checking "Läuten" while
// armed; never earlier. Each test runs in a process of its own (a module stays
// loaded), and reads the process's own mappings.

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "main_window_fixture.h"
#include "platform/modules/module_entry.h"
#include "support/klemvar_test_main.h"
#include "ui/widgets/spin_edit.h"

using namespace klemvar;
using namespace klemvar::testing;

namespace {

bool SoundModuleLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  const QString module = QFileInfo(QStringLiteral(KLEMVAR_SOUND_MODULE)).canonicalFilePath();
  return QString::fromLocal8Bit(maps.readAll()).contains(module);
}

}  // namespace

class RingPreloadTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> main_;
  TFormKlemvar* form() const { return main_->form.get(); }

  void ArmInOneHour() {
    form()->RadioButtonIn->setChecked(true);
    form()->SpinStunden->setValue(1);
    form()->ButtonWeckerStellen->click();
    QVERIFY(main_->Schedule().AlarmArmed);
  }

 private slots:
  void init() {
    SetModuleFolder(QFileInfo(QStringLiteral(KLEMVAR_SOUND_MODULE)).path());
    main_ = std::make_unique<MainWindow>();
    main_->Open();
    QVERIFY(QFileInfo::exists(QStringLiteral(KLEMVAR_SOUND_MODULE)));
  }
  void cleanup() { main_.reset(); }

  void armingWithRingLoadsTheSound() {
    form()->CheckBoxTon->setChecked(true);
    QVERIFY(!SoundModuleLoaded());  // checked while not armed: no ring can come yet
    ArmInOneHour();
    QVERIFY(SoundModuleLoaded());
  }

  void checkingRingWhileArmedLoadsTheSound() {
    ArmInOneHour();
    QVERIFY(!SoundModuleLoaded());  // a silent alarm needs no sound
    form()->CheckBoxTon->setChecked(true);
    QVERIFY(SoundModuleLoaded());
  }
};

KLEMVAR_TEST_MAIN(RingPreloadTest)
#include "ring_preload_test.moc"

// The ring on ALSA alone, on a card that fails mid-ring: the try that was
// playing reports its failure, which the ring keeper turns into a retry,
// instead of going quiet while the keeper believes the bell still rings. The
// card is the failing_card plugin built beside this test.

#include <QFile>
#include <QObject>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/sound/alsa_ring_try.h"

namespace klemvar::testing {

using Outcome = RingKeeper::Outcome;

class AlsaRingFailureTest : public QObject {
  Q_OBJECT

 private slots:
  void CardFailingMidRingFailsTheTry() {
    // ALSA_CONFIG_PATH replaces ALSA's whole configuration, so the card is the
    // only device there is, and the try cannot reach a real one instead.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile config(folder.filePath(QStringLiteral("asound.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("pcm_type.failing_card { lib \"%1\" }\n"
                                "pcm.!default { type failing_card }\n")
                     .arg(QStringLiteral(KLEMVAR_FAILING_CARD_PLUGIN))
                     .toUtf8());
    config.close();
    const bool had_config_path = qEnvironmentVariableIsSet("ALSA_CONFIG_PATH");
    const QByteArray config_path = qgetenv("ALSA_CONFIG_PATH");
    const auto restore = qScopeGuard([&] {
      if (had_config_path)
        qputenv("ALSA_CONFIG_PATH", config_path);
      else
        qunsetenv("ALSA_CONFIG_PATH");
    });
    qputenv("ALSA_CONFIG_PATH", QFile::encodeName(config.fileName()));

    // A tenth of a second of silence, looped.
    const auto sound = std::make_shared<const WaveImage>(WaveImage{
        .channels = 1, .sample_rate = 8000, .bits_per_sample = 16, .samples = QByteArray(1600, 0)});
    QObject receiver;
    QStringList reports;
    // Released before the environment is restored, as its thread reads it.
    const auto ring = StartAlsaRingTry(sound, &receiver, [&reports](Outcome outcome) {
      reports << (outcome == Outcome::kPlaying ? QStringLiteral("playing")
                                               : QStringLiteral("failed"));
    });

    // The card fails half a second into the ring; the bound is for a loaded machine.
    QTRY_VERIFY2_WITH_TIMEOUT(reports.contains(QStringLiteral("failed")),
                              qPrintable(QStringLiteral("reported: ") + reports.join(u' ')), 10000);
    QCOMPARE(reports, QStringList({"playing", "failed"}));
  }
};

}  // namespace klemvar::testing

QTEST_GUILESS_MAIN(klemvar::testing::AlsaRingFailureTest)
#include "alsa_ring_failure_test.moc"

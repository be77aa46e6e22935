// An ALSA playback device for the ring's tests: it takes what is written at a
// real card's pace, a period at a time on a timer, and after a few periods
// fails as a device whose driver has gone away: it stops taking samples and
// its poll events can no longer be read. Nothing else about it is real; the
// samples go nowhere.
//
// ALSA loads it as the PCM type `failing_card` from a configuration naming
// this library (pcm_type.failing_card { lib "..." }).

#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <new>

namespace {

// Long enough that the ring is well under way, short enough for a quick test.
constexpr std::uint64_t kPeriodsBeforeFault = 2;

struct FailingCard {
  snd_pcm_ioplug_t io{};
  int timer = -1;
  timespec started{};
  bool running = false;
  std::uint64_t periods = 0;  // played since the start
  bool failed = false;
  snd_pcm_uframes_t position = 0;  // where the card stood when it failed
};

FailingCard& Card(snd_pcm_ioplug_t* io) { return *static_cast<FailingCard*>(io->private_data); }

void SetTimer(FailingCard& card, long period_ns) {
  const timespec period{period_ns / 1'000'000'000, period_ns % 1'000'000'000};
  const itimerspec every{period, period};
  timerfd_settime(card.timer, 0, &every, nullptr);
}

int Start(snd_pcm_ioplug_t* io) {
  FailingCard& card = Card(io);
  if (card.failed) return -ENODEV;
  clock_gettime(CLOCK_MONOTONIC, &card.started);
  card.running = true;
  card.periods = 0;
  SetTimer(card, static_cast<long>(io->period_size * 1'000'000'000ULL / io->rate));
  return 0;
}

int Stop(snd_pcm_ioplug_t* io) {
  FailingCard& card = Card(io);
  card.running = false;
  SetTimer(card, 0);
  return 0;
}

// As far as the time since the start has carried the card.
snd_pcm_sframes_t Pointer(snd_pcm_ioplug_t* io) {
  FailingCard& card = Card(io);
  if (card.failed) return static_cast<snd_pcm_sframes_t>(card.position);
  if (!card.running) return 0;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto elapsed_ns =
      (now.tv_sec - card.started.tv_sec) * 1'000'000'000LL + (now.tv_nsec - card.started.tv_nsec);
  const auto frames = static_cast<std::uint64_t>(elapsed_ns) * io->rate / 1'000'000'000ULL;
  return static_cast<snd_pcm_sframes_t>(frames % io->buffer_size);
}

// Each timer tick is a period played, so a period's room. Once the card has
// failed, its events cannot be read and it takes nothing more.
int PollRevents(snd_pcm_ioplug_t* io, pollfd*, unsigned, unsigned short* revents) {
  FailingCard& card = Card(io);
  *revents = 0;
  if (card.failed) return -ENODEV;
  std::uint64_t ticks = 0;
  if (read(card.timer, &ticks, sizeof ticks) != sizeof ticks) return 0;
  card.periods += ticks;
  if (card.periods < kPeriodsBeforeFault) {
    *revents = POLLOUT;
    return 0;
  }
  card.position = static_cast<snd_pcm_uframes_t>(Pointer(io));
  card.failed = true;
  SetTimer(card, 0);
  return -ENODEV;
}

int Close(snd_pcm_ioplug_t* io) {
  FailingCard* card = &Card(io);
  close(card->timer);
  delete card;
  return 0;
}

const snd_pcm_ioplug_callback_t kCallbacks = [] {
  snd_pcm_ioplug_callback_t callbacks{};
  callbacks.start = Start;
  callbacks.stop = Stop;
  callbacks.pointer = Pointer;
  callbacks.close = Close;
  callbacks.poll_revents = PollRevents;
  return callbacks;
}();

int SetConstraints(snd_pcm_ioplug_t* io) {
  static const unsigned kAccess[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
  static const unsigned kFormats[] = {SND_PCM_FORMAT_U8, SND_PCM_FORMAT_S16_LE};
  int err = 0;
  if ((err = snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_ACCESS, 1, kAccess)) < 0 ||
      (err = snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_FORMAT, 2, kFormats)) < 0 ||
      (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_CHANNELS, 1, 2)) < 0 ||
      (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_RATE, 8000, 192000)) < 0 ||
      (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 1 << 20)) <
          0 ||
      (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIODS, 2, 64)) < 0 ||
      (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_BUFFER_BYTES, 128, 1 << 22)) < 0)
    return err;
  return 0;
}

}  // namespace

extern "C" {

SND_PCM_PLUGIN_DEFINE_FUNC(failing_card) {
  (void)root;
  (void)conf;
  if (stream != SND_PCM_STREAM_PLAYBACK) return -EINVAL;
  auto* card = new (std::nothrow) FailingCard;
  if (!card) return -ENOMEM;
  card->timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
  if (card->timer < 0) {
    const int error = errno;
    delete card;
    return -error;
  }
  card->io.version = SND_PCM_IOPLUG_VERSION;
  card->io.name = "Klemvar failing card";
  card->io.callback = &kCallbacks;
  card->io.private_data = card;
  card->io.poll_fd = card->timer;
  card->io.poll_events = POLLIN;
  int err = snd_pcm_ioplug_create(&card->io, name, stream, mode);
  if (err < 0) {
    close(card->timer);
    delete card;
    return err;
  }
  // From here on the PCM owns the card: closing it calls Close.
  if ((err = SetConstraints(&card->io)) < 0) {
    snd_pcm_ioplug_delete(&card->io);
    return err;
  }
  *pcmp = card->io.pcm;
  return 0;
}

SND_PCM_PLUGIN_SYMBOL(failing_card)

}  // extern "C"

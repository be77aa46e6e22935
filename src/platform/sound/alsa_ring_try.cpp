#include "platform/sound/alsa_ring_try.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sound/ring_buffer.h"

namespace klemvar {

namespace {

using Outcome = RingKeeper::Outcome;

// A default device that leads to a sound server plays only through that
// server, which the server's own try has just failed to reach: opening it would
// fail again (or spawn a server), so the ring waits for the server instead.
// The configuration is read afresh, as its hooks depend on whether a server runs.
bool DefaultGoesToServer() {
  snd_config_update_free_global();
  snd_config_t* definition = nullptr;
  if (snd_config_update() < 0 ||
      snd_config_search_definition(snd_config, "pcm", "default", &definition) < 0)
    return false;
  snd_config_t* type = nullptr;
  const char* name = "";
  if (snd_config_search(definition, "type", &type) >= 0) snd_config_get_string(type, &name);
  const bool server = std::strcmp(name, "pulse") == 0 || std::strcmp(name, "pipewire") == 0 ||
                      std::strcmp(name, "jack") == 0;
  snd_config_delete(definition);
  return server;
}

class AlsaRingTry final : public RingTry {
 public:
  AlsaRingTry(std::shared_ptr<const WaveImage> sound, QObject* receiver, RingKeeper::Report report)
      : sound_(std::move(sound)),
        report_(receiver, std::move(report)),
        frame_(static_cast<std::size_t>(sound_->channels * sound_->bits_per_sample / 8)),
        frames_(static_cast<std::size_t>(sound_->samples.size()) / frame_),
        wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (wake_ < 0) {
      report_.Tell(Outcome::kFailed);
      return;
    }
    thread_ = std::thread([this] { Run(); });
  }

  ~AlsaRingTry() override {
    if (wake_ < 0) return;
    ending_ = true;
    const std::uint64_t end = 1;
    while (write(wake_, &end, sizeof end) < 0 && errno == EINTR) {
    }
    thread_.join();
    close(wake_);
  }

  AlsaRingTry(const AlsaRingTry&) = delete;
  AlsaRingTry& operator=(const AlsaRingTry&) = delete;

 private:
  void Run() {
    snd_pcm_t* pcm = DefaultGoesToServer() ? nullptr : Open();
    if (!pcm) {
      report_.Tell(Outcome::kFailed);
      return;
    }
    if (!Play(pcm)) report_.Tell(Outcome::kFailed);
    snd_pcm_drop(pcm);
    snd_pcm_close(pcm);
  }

  // Non-blocking, so that a device held by another program fails the try
  // rather than holding it, and the wait for room can also wait for the end.
  snd_pcm_t* Open() {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
      return nullptr;
    const auto format = sound_->bits_per_sample == 16 ? SND_PCM_FORMAT_S16_LE : SND_PCM_FORMAT_U8;
    const auto buffer = std::chrono::microseconds(kRingBuffer).count();
    snd_pcm_uframes_t buffer_frames = 0;
    if (snd_pcm_set_params(
            pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned>(sound_->channels),
            static_cast<unsigned>(sound_->sample_rate), 1, static_cast<unsigned>(buffer)) < 0 ||
        snd_pcm_get_params(pcm, &buffer_frames, &period_frames_) < 0 || period_frames_ == 0) {
      snd_pcm_close(pcm);
      return nullptr;
    }
    return pcm;
  }

  // Keeps the device's buffer full until the end is asked for; false when the
  // device fails for good.
  bool Play(snd_pcm_t* pcm) {
    const int count = snd_pcm_poll_descriptors_count(pcm);
    if (count <= 0) return false;
    std::vector<pollfd> fds(static_cast<std::size_t>(count) + 1);
    if (snd_pcm_poll_descriptors(pcm, fds.data(), static_cast<unsigned>(count)) != count)
      return false;
    fds.back() = pollfd{wake_, POLLIN, 0};
    bool playing = false;
    while (!ending_) {
      const snd_pcm_sframes_t written = Write(pcm);
      if (written < 0) return false;
      if (written > 0 && !playing) {
        playing = true;
        report_.Tell(Outcome::kPlaying);
      }
      if (written > 0) continue;
      const Wait wait = WaitForRoom(pcm, fds);
      if (wait == Wait::kFailed) return false;
      if (wait == Wait::kEnd) return true;
    }
    return true;
  }

  enum class Wait { kRoom, kEnd, kFailed };

  // A wait that cannot go on fails the try, so that the keeper tries again
  // rather than believing the bell still rings. The device's own events are
  // read through ALSA, which also clears what its plugins' timers signalled;
  // an error among them is left to the next write, which recovers or fails.
  Wait WaitForRoom(snd_pcm_t* pcm, std::vector<pollfd>& fds) {
    const auto count = static_cast<unsigned>(fds.size() - 1);
    unsigned short events = 0;
    while ((events & (POLLOUT | POLLERR)) == 0) {
      if (poll(fds.data(), fds.size(), -1) < 0) {
        if (errno == EINTR) continue;
        return Wait::kFailed;
      }
      if (fds.back().revents != 0) return Wait::kEnd;
      if (snd_pcm_poll_descriptors_revents(pcm, fds.data(), count, &events) < 0)
        return Wait::kFailed;
      if ((events & (POLLNVAL | POLLHUP)) != 0) return Wait::kFailed;
    }
    return Wait::kRoom;
  }

  // The recording goes round and round: its end is followed by its beginning.
  // At most a period at a time, so that the end is never far off. Gives 0 when
  // the device has no room, and goes on after an underrun.
  snd_pcm_sframes_t Write(snd_pcm_t* pcm) {
    const auto chunk = std::min<std::size_t>(frames_ - offset_, period_frames_);
    snd_pcm_sframes_t done = snd_pcm_writei(pcm, sound_->samples.constData() + offset_ * frame_,
                                            static_cast<snd_pcm_uframes_t>(chunk));
    if (done == -EAGAIN) return 0;
    if (done < 0) done = snd_pcm_recover(pcm, static_cast<int>(done), 1);
    if (done < 0) return done;
    offset_ = (offset_ + static_cast<std::size_t>(done)) % frames_;
    return done;
  }

  std::shared_ptr<const WaveImage> sound_;
  RingReport report_;
  std::size_t frame_;
  std::size_t frames_;
  int wake_;
  snd_pcm_uframes_t period_frames_ = 0;
  std::size_t offset_ = 0;  // in frames
  std::atomic<bool> ending_ = false;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<RingTry> StartAlsaRingTry(std::shared_ptr<const WaveImage> sound, QObject* receiver,
                                          RingKeeper::Report report) {
  return std::make_unique<AlsaRingTry>(std::move(sound), receiver, std::move(report));
}

}  // namespace klemvar

#include "platform/sound/pulse_ring_try.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/sound/ring_buffer.h"

namespace klemvar {

namespace {

using Outcome = RingKeeper::Outcome;

class PulseRingTry final : public RingTry {
 public:
  PulseRingTry(std::shared_ptr<const WaveImage> sound, QObject* receiver, RingKeeper::Report report)
      : sound_(std::move(sound)), report_(receiver, std::move(report)) {
    if (!Connect()) report_.Tell(Outcome::kFailed);
  }

  ~PulseRingTry() override {
    if (!loop_) return;
    pa_threaded_mainloop_lock(loop_);
    if (stream_) {
      pa_stream_set_state_callback(stream_, nullptr, nullptr);
      pa_stream_set_write_callback(stream_, nullptr, nullptr);
      pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
      pa_stream_disconnect(stream_);
      pa_stream_unref(stream_);
    }
    if (context_) {
      pa_context_set_state_callback(context_, nullptr, nullptr);
      pa_context_disconnect(context_);
      pa_context_unref(context_);
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
  }

  PulseRingTry(const PulseRingTry&) = delete;
  PulseRingTry& operator=(const PulseRingTry&) = delete;

 private:
  // A retry never starts a server of its own: that is the session's business,
  // and a ring waiting for one would otherwise spawn one every second.
  bool Connect() {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) return false;
    pa_proplist* properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Klemvar");
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    context_ =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Klemvar", properties);
    pa_proplist_free(properties);
    if (!context_) return false;
    pa_context_set_state_callback(context_, &ContextChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    return pa_threaded_mainloop_start(loop_) == 0;
  }

  // The callbacks below run on the main loop's thread with its lock held.
  static void ContextChanged(pa_context* context, void* self) {
    auto* ring = static_cast<PulseRingTry*>(self);
    switch (pa_context_get_state(context)) {
      case PA_CONTEXT_READY:
        if (!ring->sound_)  // a probe: the server answers, which is all it asks
          ring->report_.Tell(Outcome::kPlaying);
        else if (!ring->OpenStream())
          ring->report_.Tell(Outcome::kFailed);
        break;
      case PA_CONTEXT_FAILED:
      case PA_CONTEXT_TERMINATED:
        ring->report_.Tell(Outcome::kFailed);
        break;
      default:
        break;
    }
  }

  bool OpenStream() {
    pa_sample_spec spec{};
    spec.format = sound_->bits_per_sample == 16 ? PA_SAMPLE_S16LE : PA_SAMPLE_U8;
    spec.rate = static_cast<std::uint32_t>(sound_->sample_rate);
    spec.channels = static_cast<std::uint8_t>(sound_->channels);
    stream_ = pa_stream_new(context_, "Läuten", &spec, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(stream_, &StreamChanged, this);
    pa_stream_set_write_callback(stream_, &Writable, this);
    pa_stream_set_underflow_callback(stream_, &RanDry, this);
    const auto buffer = static_cast<pa_usec_t>(std::chrono::microseconds(kRingBuffer).count());
    pa_buffer_attr attributes{};
    attributes.maxlength = attributes.prebuf = attributes.minreq = attributes.fragsize = -1u;
    attributes.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(buffer, &spec));
    return pa_stream_connect_playback(stream_, nullptr, &attributes, PA_STREAM_NOFLAGS, nullptr,
                                      nullptr) == 0;
  }

  static void StreamChanged(pa_stream* stream, void* self) {
    auto* ring = static_cast<PulseRingTry*>(self);
    switch (pa_stream_get_state(stream)) {
      case PA_STREAM_READY:
        ring->report_.Tell(Outcome::kPlaying);
        break;
      case PA_STREAM_FAILED:
      case PA_STREAM_TERMINATED:
        ring->report_.Tell(Outcome::kFailed);
        break;
      default:
        break;
    }
  }

  // The recording goes round and round: its end is followed by its beginning.
  static void Writable(pa_stream* stream, size_t bytes, void* self) {
    auto* ring = static_cast<PulseRingTry*>(self);
    const QByteArray& samples = ring->sound_->samples;
    const auto size = static_cast<size_t>(samples.size());
    const size_t frame = pa_frame_size(pa_stream_get_sample_spec(stream));
    bytes -= bytes % frame;
    while (bytes > 0) {
      const size_t chunk = std::min(bytes, size - ring->offset_);
      if (pa_stream_write(stream, samples.constData() + ring->offset_, chunk, nullptr, 0,
                          PA_SEEK_RELATIVE) < 0) {
        ring->report_.Tell(Outcome::kFailed);
        return;
      }
      ring->offset_ = (ring->offset_ + chunk) % size;
      bytes -= chunk;
    }
  }

  // Only the stream knows that it was not fed in time: a gap the server makes
  // on its own, by skipping a cycle, looks the same to a listener. Said once a
  // stream, as a machine that busy would say it many times a second.
  static void RanDry(pa_stream*, void* self) {
    auto* ring = static_cast<PulseRingTry*>(self);
    if (std::exchange(ring->ran_dry_, true)) return;
    qCWarning(lcRing, "the ring ran dry: the machine was too busy to feed it, the bell stutters");
  }

  std::shared_ptr<const WaveImage> sound_;
  RingReport report_;
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  size_t offset_ = 0;
  bool ran_dry_ = false;
};

}  // namespace

std::unique_ptr<RingTry> StartPulseServerProbe(QObject* receiver, RingKeeper::Report report) {
  return std::make_unique<PulseRingTry>(nullptr, receiver, std::move(report));
}

std::unique_ptr<RingTry> StartPulseRingTry(std::shared_ptr<const WaveImage> sound,
                                           QObject* receiver, RingKeeper::Report report) {
  return std::make_unique<PulseRingTry>(std::move(sound), receiver, std::move(report));
}

}  // namespace klemvar

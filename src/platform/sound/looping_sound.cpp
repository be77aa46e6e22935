#include "platform/sound/looping_sound.h"

#include <utility>

#include "platform/modules/module_entry.h"

namespace klemvar {

namespace {

class NoSound final : public LoopingSound {
 public:
  void PlayLooping(const QString&) override {}
  void Stop() override {}
};

// The sound every call goes through: a test's double, or else the real one, whose
// module is loaded on first need; a module that cannot be loaded leaves no ring.
class SoundLayer {
 public:
  LoopingSound* Install(LoopingSound* sound) { return std::exchange(installed_, sound); }

  LoopingSound& Current() {
    if (installed_) return *installed_;
    if (!loaded_) loaded_ = Load();
    return *loaded_;
  }

  // A real sound that was never loaded has nothing to stop, and is not loaded for it.
  LoopingSound* Started() const { return installed_ ? installed_ : loaded_; }

 private:
  LoopingSound* Load() {
    using Entry = LoopingSound* (*)();
    const auto entry =
        reinterpret_cast<Entry>(ModuleEntry(QStringLiteral("sound"), "klemvar_sound_module"));
    LoopingSound* sound = entry ? entry() : nullptr;
    return sound ? sound : &silent_;
  }

  LoopingSound* installed_ = nullptr;
  LoopingSound* loaded_ = nullptr;
  NoSound silent_;
};

SoundLayer& Layer() {
  static SoundLayer layer;
  return layer;
}

}  // namespace

LoopingSound* SetLoopingSound(LoopingSound* sound) { return Layer().Install(sound); }

void PrepareLoopingSound() { Layer().Current(); }

void PlaySoundLooping(const QString& resource) { Layer().Current().PlayLooping(resource); }

void StopSound() {
  if (LoopingSound* sound = Layer().Started()) sound->Stop();
}

}  // namespace klemvar

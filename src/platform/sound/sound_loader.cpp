#include "platform/sound/sound_loader.h"

#include "platform/modules/module_entry.h"

namespace klemvar {
namespace {

class NoSound final : public LoopingSound {
 public:
  void PlayLooping(const QString&) override {}
  void Stop() override {}
};

LoopingSound* loaded = nullptr;

LoopingSound& Load() {
  using Entry = LoopingSound* (*)();
  const auto entry =
      reinterpret_cast<Entry>(ModuleEntry(QStringLiteral("sound"), "klemvar_sound_module"));
  LoopingSound* sound = entry ? entry() : nullptr;
  if (sound) return *sound;
  static NoSound silent;
  return silent;
}

}  // namespace

LoopingSound& ModuleLoopingSound() {
  if (!loaded) loaded = &Load();
  return *loaded;
}

LoopingSound* LoadedModuleLoopingSound() { return loaded; }

}  // namespace klemvar

#include "platform/fonts/font_configuration.h"

#include <fontconfig/fontconfig.h>

namespace klemvar {

// fontconfig sets its current configuration atomically; should this fail,
// Qt reads it itself, as it would have anyway.
void ReadFontConfiguration() { FcInit(); }

}  // namespace klemvar

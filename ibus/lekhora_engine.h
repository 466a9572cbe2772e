#pragma once
// The IBus engine: one per input context, each a thin shell around an
// InputSession, which holds all of the typing behaviour.

#include <ibus.h>

G_BEGIN_DECLS

#define LEKHORA_TYPE_ENGINE (lekhora_engine_get_type())
GType lekhora_engine_get_type(void);

G_END_DECLS

namespace lekhora {

/// Where the engines find the word list: read on first use, then shared.
void SetEngineDataFolder(const char* folder);

}  // namespace lekhora

#pragma once

#include "data/Interaction.h"
#include "data/Tchyby.h"
#include "data/Tjazyk.h"

namespace vertano {

// Shows the notification a command has left pending, in the language in force,
// and consumes it. Returns false when it was suppressed (nothing is shown).
bool ZobrazitOznameni(Tchyby& chyby, const Tjazyk& jazyk, Interaction& interakce);

}  // namespace vertano

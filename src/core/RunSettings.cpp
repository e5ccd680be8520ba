#include "core/RunSettings.h"

RunSettings runSettings;

void resetRunSettings() { runSettings = RunSettings{}; }

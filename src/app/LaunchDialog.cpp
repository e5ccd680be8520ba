#include "app/LaunchDialog.h"

// Placeholder until the dialog lands: behaves as if Launch were pressed.
void runLaunchDialog() {}

// The launch dialog: resolution, windowed, lights, music; Launch or Exit.
// Writes the choices into runSettings and returns when the dialog closes.
#pragma once

void runLaunchDialog();

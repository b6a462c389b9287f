// Registers the outside components and runs the certificate installer: three
// hidden process starts that the launcher does not wait for.
#pragma once

void StartEnvironmentPreparation();

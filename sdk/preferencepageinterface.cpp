#include "sdk/preferencepageinterface.h"

PreferencePageInterface::~PreferencePageInterface() = default;

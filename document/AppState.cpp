#include "document/AppState.h"

MolvexAppState::MolvexAppState()
{
    options.Define();
    mainStore.SetCompany("Tamrel");
    mainStore.SetFileName("MLV2");
    mainStore.SetLocation(0);
    adjustStore.SetCompany("Tamrel");
    adjustStore.SetFileName("MLV2ADJ");
    adjustStore.SetLocation(0);
    levelAdjust.Define("Adjustment", "Level", 0, -32768, 32767);
}

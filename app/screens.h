#pragma once
// The eight screens of the control panel. Controls are not kept from screen to screen:
// buildGui empties the panel and builds the screen that the application's mode names, with
// texts, places and states read from the application state at that moment.

#include "dxut/dxut.h"

class Application;
class AppState;

// Texts formatted for the controls, and read from them, are bounded by this many characters.
inline constexpr int kTextChars = 1024;

void buildGui(Application& app);
// The column of layer check boxes of the turning kind (at most 20), layer 1 selected alone.
void buildLayerCheckBoxes(Application& app);
// Checks the layer boxes to match the layer mask.
void updateLayerCheckBoxes(const Application& app);
// The editor's slice rows: one per slice, then empty rows up to ten.
void fillSliceList(const AppState& appState);
// Shows the thickness of the chosen slice row in the thickness field, or empties and
// disables it for an empty row (or none).
void onSliceSelected(const AppState& appState, const WCHAR* rowText);
// The selected row of a list box, or null.
DXUTListBoxItem* getSelectedListItem(CDXUTListBox* list);

// The text of static `id`, when the screen has one.
void setStaticText(int id, const wchar_t* text);
// Static 20 on the play screen: the moves made, less those of a full scramble.
void showMoveCount(const Application& app);
// The red congratulation across the middle of the window, and its removal.
void showCongratulation(const AppState& appState);
void hideCongratulation();
// The editor's error line after the vertex-limit recovery dropped a slice.
void showVertexLimitError();

#pragma once
// The eight screens of the control panel. Controls are not kept from screen to screen:
// buildGui empties the panel and builds the screen that the application's mode names, with
// texts, places and states read from the application state at that moment.

#include "dxut/dxut.h"

void buildGui();
// The column of layer check boxes of the turning kind (at most 20), layer 1 selected alone.
void buildLayerCheckBoxes();
// Checks the layer boxes to match the layer mask.
void updateLayerCheckBoxes();
// The editor's slice rows: one per slice, then empty rows up to ten.
void fillSliceList();
// Shows the thickness of the chosen slice row in the thickness field, or empties and
// disables it for an empty row (or none).
void onSliceSelected(const WCHAR* rowText);
// The selected row of a list box, or null.
DXUTListBoxItem* getSelectedListItem(CDXUTListBox* list);

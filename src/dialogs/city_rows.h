// How the city lists of the dialogs draw a row: the city's name in white, then "  (" and its
// country and ")" in yellow. The rows hold name pointers into the city database, from which
// the record and so the country are found. Nothing here fills or searches a list.
#pragma once

#include "toolkit/list_box.h"

// Draws the row of `item` at (x, y) from character `first`, at most `count` characters of
// the name and its country together. A city without a country name shows its name alone.
void drawCityRow(int x, int y, const ListItem* item, int first, int count);
// The row's width in characters, for the list's horizontal bar.
int cityRowWidth(const ListItem* item);

// Makes `list` draw its rows as city rows, or (with `on` false) as bare names.
void showCountries(ListBox* list, bool on);

// The Cities page of the options dialog: choosing the displayed cities by the beginning of a
// name or by country, with "Add", "Add All", "Remove" and "Remove All" between the list of
// candidates and the list of displayed cities. OK rebuilds the selection from that list.
#pragma once

#include <cstdint>

class TabStrip;

// The page's button commands.
constexpr int kCmdAddCity = 2016, kCmdAddAllCities = 2017;
constexpr int kCmdRemoveCity = 2018, kCmdRemoveAllCities = 2019;

// Sets up the page's controls on page `page` of `tabs`: the country list from the city
// database, "City Name" mode with an empty search, and the displayed cities listed in
// selection order.
void buildCitiesPage(TabStrip* tabs, int32_t page);

// Carries out one of the four button commands; false for any other command.
bool cityListCommand(int command);

// When the buttons changed the list of displayed cities since the page was built, replaces
// the displayed cities with the cities that list shows, in its order.
void storeCitySelection();

// Empties both lists (the dialog is closing).
void emptyCityLists();

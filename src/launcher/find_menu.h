#pragma once
// The context menu of Find's results: file the row chosen in a category, or
// forget what Find learned.

// Shows the menu for the chosen row (the keyboard's menu key, or a right click).
void ShowFindMenu();
// Carries out entry `position` of the "Add to category" sub-menu.
void AddFoundRowToCategory(int position);
// Forgets what Find learned and searches again.
void ForgetFindLearning();

// Carries the icons of three_icons.rc; it is only ever read, never meant to do anything.
int main() { return 0; }

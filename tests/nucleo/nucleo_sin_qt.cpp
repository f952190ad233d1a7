// Links every core library whole: any core object that reached for Qt, or for
// a symbol that only the Qt side defines, fails to link this program, and the
// test below fails if Qt is among the libraries it loads.
int main() { return 0; }

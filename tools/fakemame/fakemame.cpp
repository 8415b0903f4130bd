// Placeholder: answers nothing yet.
int main() { return 0; }

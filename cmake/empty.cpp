// Lets a module library exist before it has sources of its own.

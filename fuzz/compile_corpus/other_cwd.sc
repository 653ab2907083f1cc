not a script

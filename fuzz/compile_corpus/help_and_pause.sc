this script would not compile

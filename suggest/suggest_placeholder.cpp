// replaced by the word lists and suggestions

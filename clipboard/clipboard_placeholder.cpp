// replaced by the Unicode clipboard

// replaced by the codec

// replaced by the layout tables and the typing engine

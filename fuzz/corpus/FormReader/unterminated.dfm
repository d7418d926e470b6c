object F: TFuzzThing
  Link = Missing

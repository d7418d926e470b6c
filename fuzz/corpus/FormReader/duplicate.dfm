object F: TFuzzThing
  object A: TFuzzThing
  end
  object a: TFuzzThing
  end
end

object F: TFuzzThing
end

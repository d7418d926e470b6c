object LanguageData: TLanguageData
  Left = 200
  Top = 120
  Caption = 'Translations database'
  ClientHeight = 120
  ClientWidth = 320
  object lblDatabase: TLabel
    Left = 16
    Top = 16
    Width = 288
    Height = 16
    Caption = 'The sample''s texts in every language, kept in Sample.sqlite'
  end
  object SQLiteConnection1: TSQLiteConnection
    DatabaseName = 'Sample.sqlite'
  end
  object tblTranslations: TSQLiteTable
    Connection = SQLiteConnection1
    TableName = 'Translations'
  end
  object DBLanguageSource1: TAmDBLanguageSource
    DataSet = tblTranslations
    DataFields.SectionField = 'Section'
    DataFields.LanguageField = 'Lang'
    DataFields.NameField = 'Name'
    DataFields.ValueField = 'Value'
    Languages.Strings = (
      'German=de'
      'Russian=ru'
      'Arabic=ar')
  end
  object FormLocalizer1: TAmFormLocalizer
    Source = DBLanguageSource1
  end
end
